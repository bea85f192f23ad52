// Starts the program as a user would, in its own process, so that tests can kill it, fail its
// writes and run two copies at once. Arguments: the program directory and the settings
// directory, then "stay" to keep running after a successful start until killed. Every question is
// answered Yes; the folder picker is cancelled. Each text shown is printed on its own line.
// Exit code 0: the program started; 1: it ended at start-up.
#include "app/runsettings.h"
#include "app/startup.h"
#include "core/dialogs.h"
#include "core/programdir.h"

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

// The fault shim, when one is loaded, counts only what start-up does.
void armFaults() {
    if (auto arm = reinterpret_cast<void (*)()>(dlsym(RTLD_DEFAULT, "korvel_fault_arm")))
        arm();
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
    armFaults();
    if (!StartUp(AppSettings()))
        return 1;
    QTextStream(stdout) << "started" << Qt::endl;
    return argc > 3 && qstrcmp(argv[3], "stay") == 0 ? QApplication::exec() : 0;
}
