// Starts the program as a user would, in its own process, so that tests can kill it, fail its
// writes and run two copies at once. Arguments: the program directory and the settings
// directory, then "stay" to keep running after a successful start until killed, or "restore" and
// a backup to restore once started. Every question is answered Yes; the folder picker is
// cancelled. Each text shown is printed on its own line.
// Exit code 0: the program started (and restored); 1: it ended at start-up; 3: the restore failed.
#include "app/runsettings.h"
#include "app/startup.h"
#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/programdir.h"
#include "upkeep/backups.h"
#include "upkeep/restorebackup.h"

#include <QApplication>
#include <QSettings>
#include <QTextStream>
#include <dlfcn.h>

namespace {

class YesDialogs : public Dialogs {
  public:
    Answer message(const QString& text, Buttons buttons, Icon,
                   const std::optional<QString>&) override {
        shown(text);
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    QString inputBox(const QString& prompt, const QString&, const QString&) override {
        shown(prompt);
        return QString();
    }
    std::optional<QString> openFile(const QString& filter, const QString&,
                                    const QString&) override {
        shown(filter);
        return std::nullopt;
    }
    QString pickFolder(QWidget*, const QString& instruction) override {
        shown(instruction);
        return QString();
    }

  private:
    static void shown(const QString& text) {
        QTextStream(stdout) << QString(text).replace("\r\n", " | ") << Qt::endl;
    }
};

// The fault shim, when one is loaded, counts only what start-up, or the restore, does.
void armFaults() {
    if (auto arm = reinterpret_cast<void (*)()>(dlsym(RTLD_DEFAULT, "korvel_fault_arm")))
        arm();
}

bool restored(const QString& copy) {
    armFaults();
    try {
        restoreBackup(AppSettings(), copy);
    } catch (const AppError& error) {
        QTextStream(stdout) << error.description() << Qt::endl;
        return false;
    }
    QTextStream(stdout) << "restored" << Qt::endl;
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    setProgramDir(QString::fromLocal8Bit(argv[1]));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, QString::fromLocal8Bit(argv[2]));
    YesDialogs yes;
    setDialogs(&yes);
    const bool restoring = argc > 4 && qstrcmp(argv[3], "restore") == 0;
    if (!restoring)
        armFaults();
    if (!StartUp(AppSettings()))
        return 1;
    waitForBackgroundBackup();
    QTextStream(stdout) << "started" << Qt::endl;
    if (restoring)
        return restored(QString::fromLocal8Bit(argv[4])) ? 0 : 3;
    return argc > 3 && qstrcmp(argv[3], "stay") == 0 ? QApplication::exec() : 0;
}
