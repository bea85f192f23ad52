// A workstation in a process of its own that edits one patient file through the patient file
// screen, so that a test can have two desks edit the same file. Arguments: the server's connection
// URI, the file number, the box to type in and its text. Once the file is shown (or begun, when
// there is none under the number) it prints "ready"; for every line on its input it types the
// text, presses Save and prints "saved", after each message it was shown as "message: TEXT".
#include "support/testenv.h"
#include "support/ui.h"

#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "screens/screens.h"
#include "settings/settingsstore.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTextStream>
#include <iostream>
#include <string>

namespace {

// Answers the file number asked for, and prints every message instead of showing it.
class DeskDialogs : public ScriptedDialogs {
  public:
    explicit DeskDialogs(QString fileNumber) : fileNumber_(std::move(fileNumber)) {}
    Answer message(const QString& text, Buttons, Icon, const std::optional<QString>&) override {
        QTextStream(stdout) << "message: " << QString(text).replace("\r\n", " | ") << Qt::endl;
        return Answer::Ok;
    }
    QString inputBox(const QString&, const QString&, const QString&) override {
        return fileNumber_;
    }

  private:
    QString fileNumber_;
};

} // namespace

class PatientDesk : public QObject {
    Q_OBJECT
  public:
    PatientDesk(QString uri, QString fileNumber, QString box, QString text)
        : uri_(uri), fileNumber_(fileNumber), box_(box), text_(text) {}

  private slots:
    void editTheFile();

  private:
    QString uri_;
    QString fileNumber_;
    QString box_;
    QString text_;
};

void PatientDesk::editTheFile() {
    TestEnv env;
    DeskDialogs dialogs(fileNumber_);
    setDialogs(&dialogs);
    AppSettings().setDbPath(env.programDirectory());
    AppSettings().dbserver = uri_;
    WriteAllSettings(AppSettings());
    registerScreens(AppSettings());
    QWidget* file = showScreen(Screen::PatientFile);
    QTextStream(stdout) << "ready" << Qt::endl;
    for (std::string go; std::getline(std::cin, go);) {
        box(file, box_)->setText(text_);
        press(file, "SSCommand1");
        QTextStream(stdout) << "saved" << Qt::endl;
    }
    setDialogs(&env.dialogs);
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 5)
        return 2;
    PatientDesk desk(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]),
                     QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4]));
    return QTest::qExec(&desk, 1, argv);
}

#include "patientdesk.moc"
