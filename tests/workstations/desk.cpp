// One workstation of a clinic whose data are on a server, in a process of its own: it writes
// invoices through the open-file dialog and the invoice screen as the receptionist does, so that
// a test can run several at once. Arguments: the server's connection URI, the desk's number and
// how many invoices to write. Desk d writes for the patient of file number "10d", from the
// catalog codes "d1" to "d3"; line j of its k-th invoice is worth 10 k + j. Once its screens are
// up it prints "ready" and waits for a line on its input; then it prints "saved NUMBER TOTAL"
// for every invoice, as the screen shows it after OK.
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

// One line to three, in turn, so that invoices of every length are saved.
int linesOfInvoice(int k) {
    return 1 + k % 3;
}

} // namespace

class Desk : public QObject {
    Q_OBJECT
  public:
    Desk(QString uri, int desk, int invoices) : uri_(uri), desk_(desk), invoices_(invoices) {}

  private slots:
    void writeInvoices();

  private:
    void writeInvoice(QWidget* main, int k);

    QString uri_;
    int desk_;
    int invoices_;
};

void Desk::writeInvoices() {
    TestEnv env;
    AppSettings().setDbPath(env.programDirectory());
    AppSettings().dbserver = uri_;
    WriteAllSettings(AppSettings());
    registerScreens(AppSettings());
    QWidget* main = Screens::get(Screen::Main);
    main->show();
    QVERIFY(QTest::qWaitForWindowActive(main));

    QTextStream(stdout) << "ready" << Qt::endl;
    std::string go;
    std::getline(std::cin, go);
    for (int k = 1; k <= invoices_; ++k)
        writeInvoice(main, k);
}

void Desk::writeInvoice(QWidget* main, int k) {
    press(main, "SSCommand5");
    QWidget* openFile = opened(Screen::OpenFile);
    typeAndTab(openFile, "Text1", QString("10%1").arg(desk_));
    press(openFile, "SSCommand1");
    QWidget* invoice = opened(Screen::Invoice);
    for (int j = 1; j <= linesOfInvoice(k); ++j) {
        typeAndTab(invoice, "text4", QString("%1%2").arg(desk_).arg(j));
        typeInto(invoice, "Text6", QString::number(10 * k + j), "SSCommand1");
        press(invoice, "SSCommand1");
    }
    press(invoice, "SSCommand2_OK");
    QTextStream(stdout) << "saved " << box(invoice, "Text7")->text() << ' '
                        << box(invoice, "Text8")->text() << Qt::endl;
    press(invoice, "SSCommand5_Quit");
    discardClosed();
}

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 4)
        return 2;
    Desk desk(QString::fromLocal8Bit(argv[1]), QByteArray(argv[2]).toInt(),
              QByteArray(argv[3]).toInt());
    // The test's own arguments are the desk's; QtTest is given none.
    return QTest::qExec(&desk, 1, argv);
}

#include "desk.moc"
