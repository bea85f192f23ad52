#include "support/testenv.h"
#include "support/ui.h"

#include "app/aboutbox.h"
#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "screens/screens.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QUrl>

namespace {

// Receives the web addresses that the program asks the desktop to open.
class Browser : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void open(const QUrl& url) { opened << url; }
};

// The PATH of the test, with only the given directory on it.
class SearchPath {
  public:
    explicit SearchPath(const QString& directory) : saved_(qgetenv("PATH")) {
        qputenv("PATH", QFile::encodeName(directory));
    }
    ~SearchPath() { qputenv("PATH", saved_); }

  private:
    QByteArray saved_;
};

// An About box opened from the main window's Help menu.
QWidget* openAbout() {
    registerScreens(AppSettings());
    QWidget* main = Screens::get(Screen::Main);
    main->show();
    trigger(main, "mnuAbout");
    return Screens::existing(Screen::About);
}

} // namespace

class AboutTest : public QObject {
    Q_OBJECT
  private slots:
    void showsTitleDescriptionAndCredit();
    void opensBesideAnEnabledMainWindow();
    void everyWayOfClosingDiscardsIt_data();
    void everyWayOfClosingDiscardsIt();
    void webAddressTurnsBlueAndOpensInTheBrowser();
    void systemInfoWithoutAToolSaysSo();
    void systemInfoStartsTheToolFoundOnThePath();
    void controlsCarryAccessibleNames();
};

void AboutTest::showsTitleDescriptionAndCredit() {
    TestEnv env;
    QWidget* about = openAbout();
    QCOMPARE(about->objectName(), QString("frmAbout"));
    QCOMPARE(about->windowTitle(), "About " + child<QLabel>(about, "lblTitle")->text());
    QCOMPARE(child<QLabel>(about, "lblTitle")->text(), QString("Korvel"));
    for (const char* name : {"lblDescription", "Label1", "lblDisclaimer"})
        QVERIFY2(!child<QLabel>(about, name)->text().isEmpty(), name);
    QVERIFY(!child<QLabel>(about, "picIcon")->pixmap().isNull());
    QVERIFY(child<QFrame>(about, "Line1"));
    QCOMPARE(child<QPushButton>(about, "cmdOK")->text(), QString("OK"));
    QCOMPARE(child<QPushButton>(about, "cmdSysInfo")->text(), QString("&System Info..."));
}

void AboutTest::opensBesideAnEnabledMainWindow() {
    TestEnv env;
    QWidget* about = openAbout();
    QVERIFY(about->isVisible());
    QCOMPARE(about->windowModality(), Qt::NonModal);
    QVERIFY(Screens::existing(Screen::Main)->isEnabled());
}

void AboutTest::everyWayOfClosingDiscardsIt_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("OK") << "OK";
    QTest::newRow("frame") << "frame";
    QTest::newRow("Escape") << "Escape";
}

void AboutTest::everyWayOfClosingDiscardsIt() {
    QFETCH(QString, how);
    TestEnv env;
    QPointer<QWidget> about = openAbout();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    if (how == "OK")
        click(about, "cmdOK");
    else if (how == "frame")
        about->close();
    else
        QTest::keyClick(about, Qt::Key_Escape);
    discardClosed();
    QVERIFY(!about);
    QVERIFY(!Screens::existing(Screen::About));
    // Opened again, it is made anew.
    QWidget* again = openAbout();
    QVERIFY(again && again->isVisible());
}

void AboutTest::webAddressTurnsBlueAndOpensInTheBrowser() {
    TestEnv env;
    Browser browser;
    QDesktopServices::setUrlHandler("https", &browser, "open");
    QWidget* about = openAbout();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QLabel* link = child<QLabel>(about, "lblDisclaimer");
    QVERIFY(!link->autoFillBackground() ||
            link->palette().color(QPalette::Window) != QColor(0, 0, 255));

    // Moved through the window, as the window system delivers the mouse.
    QTest::mouseMove(about->windowHandle(), link->mapTo(about, link->rect().center()));
    QTRY_VERIFY(link->autoFillBackground());
    QCOMPARE(link->palette().color(link->backgroundRole()), QColor(0, 0, 255));
    // It stays blue when the mouse has gone.
    QTest::mouseMove(about->windowHandle(), QPoint(2, 2));
    QCOMPARE(link->palette().color(link->backgroundRole()), QColor(0, 0, 255));

    QTest::mouseClick(link, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(browser.opened, QList<QUrl>({QUrl(link->text())}));
    QVERIFY(QUrl(link->text()).isValid());
}

void AboutTest::systemInfoWithoutAToolSaysSo() {
    TestEnv env;
    SearchPath path(env.makeDir("no-tools"));
    QWidget* about = openAbout();
    env.dialogs.expectMessage("System Information Is Unavailable At This Time");
    click(about, "cmdSysInfo");
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QVERIFY(about->isVisible());
}

void AboutTest::systemInfoStartsTheToolFoundOnThePath() {
    TestEnv env;
    const QString tools = env.makeDir("tools");
    const QString started = env.root() + "/started";
    writeFile(tools + "/gnome-system-monitor",
              ("#!/bin/sh\necho \"$0\" > '" + started + "'\n").toUtf8());
    QFile::setPermissions(tools + "/gnome-system-monitor",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    SearchPath path(tools);
    QWidget* about = openAbout();
    click(about, "cmdSysInfo");
    QTRY_COMPARE(QString::fromUtf8(readFile(started)).trimmed(), tools + "/gnome-system-monitor");
}

void AboutTest::controlsCarryAccessibleNames() {
    TestEnv env;
    QWidget* about = openAbout();
    QCOMPARE(child<QPushButton>(about, "cmdOK")->accessibleName(), QString("OK"));
    QCOMPARE(child<QPushButton>(about, "cmdSysInfo")->accessibleName(), QString("System Info..."));
    QVERIFY(!child<QLabel>(about, "picIcon")->accessibleName().isEmpty());
    QVERIFY(child<QLabel>(about, "lblDisclaimer")
                ->accessibleName()
                .contains(child<QLabel>(about, "lblDisclaimer")->text()));
    QCOMPARE(about->accessibleName(), about->windowTitle());
}

QTEST_MAIN(AboutTest)
#include "test_about.moc"
