#include "support/clinicrows.h"
#include "support/damage.h"
#include "support/oldlayout.h"
#include "support/reportpages.h"
#include "support/screentest.h"
#include "support/smalldisk.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/mainwindow.h"
#include "app/picturebox.h"
#include "app/qtdialogs.h"
#include "app/reportslocationmenu.h"
#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "app/setdefaults.h"
#include "binding/datacontrols.h"
#include "binding/datasource.h"
#include "core/programdir.h"
#include "db/engine/connection.h"
#include "db/upkeep/integrity.h"
#include "db/upkeep/validation.h"
#include "patients/openfiledialog.h"
#include "reportengine/reportpreview.h"
#include "screens/screens.h"
#include "settings/settingsstore.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSysInfo>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kPictureFilter =
    "Pictures (*.jpg;*.jpeg;*.gif;*.bmp;*.png)|*.jpg;*.jpeg;*.gif;*.bmp;*.png";
const QString kDatabaseFilter = "korvel_data.mdb (korvel_data.mdb)|korvel_data.mdb";
const QString kLogoQuestion = "Are you sure you want to change the logo?";
const QString kDatabaseQuestion = "Are you sure you want to change the Database Directory";
const QString kCopyFirst =
    "The Database korvel_data.mdb file must be copied to this Direcotry first!";

// The six buttons that open screens, with the screen each one opens.
const QList<QPair<QString, QString>> kScreenButtons = {
    {"SSCommand1", "Form1"}, {"SSCommand2", "Form3"}, {"SSCommand3", "Form6"},
    {"SSCommand4", "Form4"}, {"SSCommand5", "Form8"}, {"SSCommand6", "Form5"},
};

const QString kLetterheadValues[] = {"clinicname",      "drname",          "qualifications1",
                                     "qualifications2", "qualifications3", "licenseno",
                                     "telephone"};

// A clinic that has worked for a while: a database, the built-in letterhead stored, and the
// program's screens known.
MainWindow* openClinic(TestEnv& env) {
    env.createDatabase();
    resetLetterhead(AppSettings(), DefaultLetterhead());
    registerScreens(AppSettings());
    return qobject_cast<MainWindow*>(Screens::get(Screen::Main));
}

QString label(QWidget* window, int number) {
    return window->findChild<QLabel*>("Label" + QString::number(number))->text();
}

QStringList labels(QWidget* window) {
    QStringList texts;
    for (int number = 1; number <= 5; ++number)
        texts << label(window, number);
    return texts;
}

QStringList storedLetterhead() {
    QStringList values;
    for (const QString& name : kLetterheadValues)
        values << ReadRegValue(name);
    return values;
}

QString& inMemory(const QString& valueName) {
    Letterhead& l = AppSettings().letterhead;
    QString* const members[] = {&l.clinicname,      &l.drname,          &l.qualifications1,
                                &l.qualifications2, &l.qualifications3, &l.licenseno,
                                &l.telephone};
    for (int i = 0; i < 7; ++i)
        if (kLetterheadValues[i] == valueName)
            return *members[i];
    qFatal("no letterhead value %s", qPrintable(valueName));
}

PictureBox* picture(QWidget* window) {
    return window->findChild<PictureBox*>("Picture1");
}

// The colour of the picture shown, or no colour while the design-time drawing is shown.
QColor shownColour(QWidget* window) {
    const QPixmap shown = picture(window)->picture();
    return shown.isNull() ? QColor() : shown.toImage().pixelColor(0, 0);
}

QString writePicture(const QString& path, const QColor& colour) {
    QImage image(12, 8, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path);
    return path;
}

// A copy of the current database in a directory of its own, under the given file name.
QString copyDatabase(TestEnv& env, const QString& directory,
                     const QString& fileName = "korvel_data.mdb") {
    const QString path = env.makeDir(directory) + "/" + fileName;
    QFile::copy(AppSettings().databaseFilePath, path);
    return path;
}

int catalogRows(const QString& path) {
    ScopedDatabase database(path);
    return countOf("file_desc", database.db());
}

void addCatalogRows(const QString& path, int count) {
    ScopedDatabase database(path);
    for (int code = 10; code < 10 + count; ++code)
        addProcedure(QString::number(code), "Consultation " + QString::number(code), 100 + code,
                     database.db());
}

// A stand-in for a working screen that does nothing about the main window itself, so that the
// main window's own watch is what gives it back.
void registerBareScreens() {
    registerStandIns(
        [](Screen) {
            auto* screen = new QWidget;
            screen->resize(200, 100);
            return screen;
        },
        {Screen::Main, Screen::About});
}

Screen screenNamed(const QString& name) {
    for (const Screen screen : allScreens())
        if (screenName(screen) == name)
            return screen;
    qFatal("no screen %s", qPrintable(name));
}

void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

// Lays the window out at a size and checks that nothing in it is squeezed below what it needs.
void checkNothingClipped(QWidget* window, const QSize& size) {
    window->resize(size);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    settle();
    const QString at = QString(" at %1x%2").arg(window->width()).arg(window->height());
    for (const QPushButton* button : window->findChildren<QPushButton*>())
        QVERIFY2(button->width() >= button->minimumSizeHint().width() &&
                     button->height() >= button->minimumSizeHint().height(),
                 qPrintable(button->objectName() + " clipped" + at));
    for (const QLabel* line : window->findChildren<QLabel*>())
        QVERIFY2(line->height() >= line->heightForWidth(line->width()),
                 qPrintable(line->objectName() + " clipped" + at));
    const QList<QWidget*> blocks = {window->findChild<QWidget*>("SSPanel1"),
                                    window->findChild<QWidget*>("SSPanel2"),
                                    window->findChild<QWidget*>("SSPanel3")};
    for (int i = 0; i < blocks.size(); ++i) {
        QVERIFY2(window->rect().contains(blocks[i]->geometry().translated(
                     blocks[i]->parentWidget()->mapTo(window, QPoint()))),
                 qPrintable(blocks[i]->objectName() + " outside the window" + at));
        for (int j = i + 1; j < blocks.size(); ++j)
            QVERIFY2(
                !blocks[i]->geometry().intersects(blocks[j]->geometry()),
                qPrintable(blocks[i]->objectName() + " overlaps " + blocks[j]->objectName() + at));
    }
    QVERIFY(picture(window)->width() >= picture(window)->minimumWidth());
}

// The program's own input box, with the rest of the dialogs scripted: shows what a real Cancel
// press gives the program.
class RealInputBox : public Dialogs {
  public:
    explicit RealInputBox(Dialogs& scripted) : scripted_(scripted) {}
    Answer message(const QString& text, Buttons buttons, Icon icon,
                   const std::optional<QString>& title) override {
        return scripted_.message(text, buttons, icon, title);
    }
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override {
        return real_.inputBox(prompt, title, defaultText);
    }
    std::optional<QString> openFile(const QString& filter, const QString& directory,
                                    const QString& fileName) override {
        return scripted_.openFile(filter, directory, fileName);
    }
    QString pickFolder(QWidget* owner, const QString& instruction) override {
        return scripted_.pickFolder(owner, instruction);
    }

  private:
    Dialogs& scripted_;
    QtDialogs real_;
};

// What a screen reader says for each control of the screens, by the control's design name.
// control=spoken name|...
const QList<QPair<Screen, QString>> kSpokenNames = {
    {Screen::Main, "SSCommand1=Patients File|SSCommand2=Search|SSCommand3=Reports|"
                   "SSCommand4=Description Entry|SSCommand5=Invoices|"
                   "SSCommand6=Invoices Replacment|SSCommand7=Quit"},
    {Screen::Catalog, "Text1=Code|Text2=Description|Text4=Amount SR|SSCommand1=Save|"
                      "SSCommand2=New|SSCommand3=Open|SSCommand4=Cancel|SSCommand5=Delete|"
                      "SSCommand6=Quit|DBGrid1=Procedures"},
    {Screen::InvoiceList, "DBGrid1=Invoices|DBGrid2=Invoice Details|Text1=Invoice NO|text5=Date|"
                          "Text3=Amount SR|Text6=Net Due|Text7=Patient No|SSCommand1=Save|"
                          "SSCommand3=Open|SSCommand5=Delete|SSCommand6=Quit|Data2Bar=Invoices|"
                          "Data3Bar=Invoice Details"},
    {Screen::Invoice, "Text1=File Number|Text2=Name|Text3=Address|mask1=Date|text4=Code|"
                      "Text5=Description|Text6=Amount SR|SSCommand1=OK|DBGrid1=Invoice lines|"
                      "Text7=Invoice NO|Text8=Total SR|text9=Payments|Text10=Net Due|"
                      "Option1=Cash|Option2=Credit|Option3=Partial|SSCommand2_OK=OK|"
                      "SSCommand3_Cancel=CANCEL|SSCommand4_Print=Print|SSCommand5_Quit=Quit"},
    {Screen::About, "cmdOK=OK|cmdSysInfo=System Info..."},
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void showsTheStoredLetterheadAndTheDesignPicture();
    void controlsAreSpokenByTheirNames();
    void buttonsMenusAndLetterheadAreReadOut();
    void buttonsStandInTwoColumnsWithQuitBelow();
    void settingsThatCannotBeStoredAreToldAndNotShown();
    void menusHoldTheirItemsInOrder();
    void languageChoiceIsStoredForTheNextStart();
    void nothingIsClippedAtAnySize();

    void letterheadAnswerIsShownStoredAndKept_data();
    void letterheadAnswerIsShownStoredAndKept();
    void changedLetterheadReachesTheNextReport_data();
    void changedLetterheadReachesTheNextReport();
    void confirmedBlankEmptiesTheLine_data();
    void confirmedBlankEmptiesTheLine();
    void declinedBlankKeepsTheStoredValue_data();
    void declinedBlankKeepsTheStoredValue();
    void cancelInTheInputBoxCountsAsBlank();
    void qualification2ChangesOnlyItsOwnLine();

    void acceptedLogoIsShownAndStored();
    void declinedLogoBringsBackTheStoredOne();
    void declinedLogoWithoutStoredOneKeepsThePicture_data();
    void declinedLogoWithoutStoredOneKeepsThePicture();
    void cancelledLogoChangesNothing();
    void fileThatIsNoPictureIsRefused();
    void storedLogoThatIsNoPictureLeavesTheDesignPicture();

    void databaseInAnotherDirectoryIsTakenAtOnce();
    void olderDatabaseIsUpgradedWhenTaken();
    void refusedDatabaseChangeLeavesTheDatabase_data();
    void refusedDatabaseChangeLeavesTheDatabase();

    void compactionReplacesTheDatabaseInPlace();
    void failedCompactionKeepsTheDatabaseAndTheProgram();
    void compactionRefusesAFileTheUserCannotWrite();
    void compactedFileKeepsModeAndGroup();
    void compactionRefusesADamagedFile();
    void databaseOfAnotherCopyIsNotTaken();

    void reportsLocationRefusesWhatItCannotUse();

    void everyWayOfClosingGivesTheMainWindowBack_data();
    void everyWayOfClosingGivesTheMainWindowBack();
    void handOverFromOpenFileToInvoiceKeepsMainDisabled();
    void windowsWithoutCaptionShowNoText();
    void screenThatDoesNotExistChangesNothing();
    void programScreensGiveTheMainWindowBack_data();
    void programScreensGiveTheMainWindowBack();
    void quitClosesEveryWindow_data();
    void quitClosesEveryWindow();
};

void MainWindowTest::showsTheStoredLetterheadAndTheDesignPicture() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    QCOMPARE(window->windowTitle(), QString("Main"));
    const Letterhead& d = DefaultLetterhead();
    QCOMPARE(labels(window), QStringList({d.clinicname, d.drname, d.qualifications1,
                                          d.qualifications2, d.qualifications3}));
    QVERIFY(!shownColour(window).isValid());
    QVERIFY(!window->windowIcon().isNull());
}

void MainWindowTest::controlsAreSpokenByTheirNames() {
    TestEnv env;
    openClinic(env);
    for (const auto& [screen, names] : kSpokenNames)
        for (const QString& name : names.split('|')) {
            const QString control = name.section('=', 0, 0);
            const QString spoken = child(Screens::get(screen), control)->accessibleName();
            QVERIFY2(spoken == name.section('=', 1), qPrintable(control + ": " + spoken));
        }
}

void MainWindowTest::buttonsMenusAndLetterheadAreReadOut() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    for (int i = 1; i <= 7; ++i) {
        auto* button = child<QPushButton>(window, "SSCommand" + QString::number(i));
        QCOMPARE(button->text(), button->accessibleName());
    }
    for (const char* name : {"SSPanel1", "SSPanel2", "SSPanel3", "Picture1"})
        QVERIFY2(!window->findChild<QWidget*>(name)->accessibleName().isEmpty(), name);
    // Letterhead lines are read out as what they say, and told apart by their role.
    auto* clinic = window->findChild<QLabel*>("Label1");
    QCOMPARE(QAccessible::queryAccessibleInterface(clinic)->text(QAccessible::Name),
             DefaultLetterhead().clinicname);
    QVERIFY(!clinic->accessibleDescription().isEmpty());
    for (const char* name : {"mnuSettings", "mnuQualifications", "mnuHelp"})
        QCOMPARE(window->findChild<QMenu*>(name)->accessibleName(),
                 window->findChild<QMenu*>(name)->title());
    // Menu items are read out by their text.
    QMenu* settings = window->findChild<QMenu*>("mnuSettings");
    QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(settings);
    QStringList spoken;
    for (int i = 0; i < menu->childCount(); ++i)
        spoken << menu->child(i)->text(QAccessible::Name);
    QCOMPARE(spoken,
             QStringList({"Clinic Name", "Doctor Name", "Qualifications", "License No", "Telephone",
                          "Logo", "Database", "Database Server...", "Copy Database", "Back up now",
                          "Restore...", "Backups Folder...", "Reports Location", "Language"}));
}

void MainWindowTest::buttonsStandInTwoColumnsWithQuitBelow() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto at = [&](int number) {
        return window->findChild<QPushButton*>("SSCommand" + QString::number(number))->geometry();
    };
    const QList<QPair<int, int>> rows = {{1, 2}, {3, 4}, {6, 5}};
    for (int row = 0; row < rows.size(); ++row) {
        const QRect left = at(rows[row].first);
        const QRect right = at(rows[row].second);
        QCOMPARE(left.top(), right.top());
        QCOMPARE(left.size(), right.size());
        QVERIFY(left.right() < right.left());
        if (row > 0)
            QVERIFY(left.top() > at(rows[row - 1].first).bottom());
    }
    const QRect quit = at(7);
    QVERIFY(quit.top() > at(6).bottom());
    QCOMPARE(quit.left(), at(6).left());
    QCOMPARE(quit.right(), at(5).right());
    // Tab order follows the numbers.
    QWidget* focus = window->findChild<QWidget*>("SSCommand1");
    for (int number = 2; number <= 7; ++number) {
        do
            focus = focus->nextInFocusChain();
        while (!(focus->focusPolicy() & Qt::TabFocus));
        QCOMPARE(focus->objectName(), "SSCommand" + QString::number(number));
    }
}

// The screens already open keep their language: the choice is stored, told, and taken at the
// next start; choosing the language in use again asks nothing.
void MainWindowTest::languageChoiceIsStoredForTheNextStart() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    QVERIFY(window->findChild<QAction*>("mnuEnglish")->isChecked());
    env.dialogs.expectMessage("Korvel shows the chosen language from its next start on.");
    trigger(window, "mnuArabic");
    QCOMPARE(ReadRegValue(Setting::Language), QString("ar"));
    QCOMPARE(child<QPushButton>(window, "SSCommand1")->text(), "Patients File");
    trigger(window, "mnuArabic");
    env.dialogs.expectMessage("Korvel shows the chosen language from its next start on.");
    trigger(window, "mnuEnglish");
    QCOMPARE(ReadRegValue(Setting::Language), QString());
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
}

// The settings on a disk that is full: a changed clinic name or language is told as not stored,
// and the window goes on showing what is stored, which the next start shows.
void MainWindowTest::settingsThatCannotBeStoredAreToldAndNotShown() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    const SmallDisk disk(env.root() + "/settings-disk", 64);
    QVERIFY(disk.mounted());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, disk.path());
    WriteAllSettings(AppSettings());
    disk.fillLeaving(0);
    const QString stored = AppSettings().letterhead.clinicname;
    const QString notStored = "The setting could not be stored in " + disk.path() +
                              "/ovrant/korvel.ini: the disk may be full, or the file cannot be "
                              "written. The setting stays as it was.";

    env.dialogs.expectInput("Enter Clinic Name", "Enter Clinic Name", "Another Clinic");
    env.dialogs.expectMessage(notStored);
    trigger(window, "mnuClinicName");
    QCOMPARE(child<QLabel>(window, "Label1")->text(), stored);
    QCOMPARE(AppSettings().letterhead.clinicname, stored);
    QCOMPARE(ReadRegValue("clinicname"), stored);

    env.dialogs.expectMessage(notStored);
    trigger(window, "mnuArabic");
    QVERIFY(window->findChild<QAction*>("mnuEnglish")->isChecked());
    QCOMPARE(ReadRegValue(Setting::Language), QString());
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
}

void MainWindowTest::menusHoldTheirItemsInOrder() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    QStringList bar;
    for (QAction* action : window->menuBar()->actions())
        bar << action->objectName() + "=" + action->text();
    QCOMPARE(bar, QStringList({"mnuSettings=Settings", "mnuCompactDatabase=Compact Database",
                               "mnuHelp=Help"}));
    QVERIFY(!window->findChild<QAction*>("mnuCompactDatabase")->menu());
    auto items = [&](const char* menu) {
        QStringList names;
        for (QAction* action : window->findChild<QMenu*>(menu)->actions())
            names << action->objectName() + "=" + action->text();
        return names;
    };
    QCOMPARE(items("mnuSettings"),
             QStringList({"mnuClinicName=Clinic Name", "mnuDoctorName=Doctor Name",
                          "mnuQualifications=Qualifications", "mnuLicenseNo=License No",
                          "mnuTelephone=Telephone", "mnuLogo=Logo", "mnuDatabase=Database",
                          "mnuDatabaseServer=Database Server...", "mnuCopyDatabase=Copy Database",
                          "mnuBackUpNow=Back up now", "mnuRestore=Restore...",
                          "mnuBackupsFolder=Backups Folder...",
                          "mnuReportsLocation=Reports Location", "mnuLanguage=Language"}));
    QCOMPARE(items("mnuLanguage"),
             QStringList({"mnuEnglish=English", QString::fromUtf8("mnuArabic=العربية")}));
    QCOMPARE(items("mnuQualifications"), QStringList({"mnuQualifications1=Qualifications1",
                                                      "mnuQualifications2=Qualifications2",
                                                      "mnuQualifications3=Qualifications3"}));
    QCOMPARE(items("mnuHelp"), QStringList({"mnuAbout=About"}));
    QAction* reports = window->findChild<QAction*>("mnuReportsLocation");
    QVERIFY(reports->isVisible());
    QVERIFY(!reports->isEnabled());
    reports->trigger(); // any prompt would fail the test
}

void MainWindowTest::nothingIsClippedAtAnySize() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    checkNothingClipped(window, window->size());
    checkNothingClipped(window, QSize(1400, 900));
    checkNothingClipped(window, QSize(1, 1));
    // A long clinic name wraps instead of widening the window beyond the screen.
    AppSettings().letterhead.clinicname =
        QString("Clinic of Obstetrics and Gynaecology ").repeated(4);
    env.dialogs.expectInput("Enter Clinic Name", "Enter Clinic Name",
                            AppSettings().letterhead.clinicname);
    trigger(window, "mnuClinicName");
    checkNothingClipped(window, QSize(680, 500));
    QVERIFY(window->width() <= 900);
}

void MainWindowTest::letterheadAnswerIsShownStoredAndKept_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("confirmation");
    const QString qualification = "Are you sure you want to set this qualification to blanks?";
    QTest::newRow("Clinic Name") << "mnuClinicName"
                                 << "Enter Clinic Name"
                                 << "clinicname" << 1
                                 << "Are you sure you want to set Clinic Name to blanks?";
    QTest::newRow("Doctor Name") << "mnuDoctorName"
                                 << "Enter Doctor Name"
                                 << "drname" << 2
                                 << "Are you sure you want to set Doctor Name to blanks?";
    QTest::newRow("Qualifications1") << "mnuQualifications1"
                                     << "Enter Qualification 1"
                                     << "qualifications1" << 3 << qualification;
    QTest::newRow("Qualifications2") << "mnuQualifications2"
                                     << "Enter Qualification 2"
                                     << "qualifications2" << 4 << qualification;
    QTest::newRow("Qualifications3") << "mnuQualifications3"
                                     << "Enter Qualification 3"
                                     << "qualifications3" << 5 << qualification;
    QTest::newRow("License No") << "mnuLicenseNo"
                                << "Enter the Clinic's License No"
                                << "licenseno" << 0
                                << "Are you sure you want to set License No to blanks?";
    QTest::newRow("Telephone") << "mnuTelephone"
                               << "Enter the Telephone No"
                               << "telephone" << 0
                               << "Are you sure you want to set the Telephone No to blanks?";
}

void MainWindowTest::letterheadAnswerIsShownStoredAndKept() {
    QFETCH(QString, item);
    QFETCH(QString, prompt);
    QFETCH(QString, value);
    QFETCH(int, line);
    TestEnv env;
    MainWindow* window = openClinic(env);
    QStringList expectedLabels = labels(window);
    QStringList expectedStore = storedLetterhead();
    const QString answer = "عيادة Nour " + value;
    env.dialogs.expectInput(prompt, prompt, answer, inMemory(value));
    trigger(window, item);

    QCOMPARE(inMemory(value), answer);
    if (line > 0)
        expectedLabels[line - 1] = answer;
    QCOMPARE(labels(window), expectedLabels);
    expectedStore[std::find(std::begin(kLetterheadValues), std::end(kLetterheadValues), value) -
                  std::begin(kLetterheadValues)] = answer;
    QCOMPARE(storedLetterhead(), expectedStore);

    // The next start shows what was entered.
    AppSettings() = AppSettingsRecord();
    ReadAllSettings(AppSettings());
    MainWindow restarted(AppSettings());
    QCOMPARE(labels(&restarted), expectedLabels);
    QCOMPARE(inMemory(value), answer);
}

void MainWindowTest::confirmedBlankEmptiesTheLine_data() {
    letterheadAnswerIsShownStoredAndKept_data();
}

void MainWindowTest::confirmedBlankEmptiesTheLine() {
    QFETCH(QString, item);
    QFETCH(QString, prompt);
    QFETCH(QString, value);
    QFETCH(int, line);
    QFETCH(QString, confirmation);
    TestEnv env;
    MainWindow* window = openClinic(env);
    QStringList expectedLabels = labels(window);
    env.dialogs.expectInput(prompt, prompt, QString(), inMemory(value));
    env.dialogs.expectQuestion(confirmation, Dialogs::Answer::Yes);
    trigger(window, item);

    QCOMPARE(inMemory(value), QString());
    if (line > 0)
        expectedLabels[line - 1] = QString();
    QCOMPARE(labels(window), expectedLabels);
    QSettings store(QSettings::IniFormat, QSettings::UserScope, "ovrant", "korvel");
    QVERIFY2(store.contains(value), "the empty value is stored, not removed");
    QCOMPARE(store.value(value).toString(), QString());

    AppSettings() = AppSettingsRecord();
    ReadAllSettings(AppSettings());
    MainWindow restarted(AppSettings());
    QCOMPARE(labels(&restarted), expectedLabels);
}

void MainWindowTest::declinedBlankKeepsTheStoredValue_data() {
    letterheadAnswerIsShownStoredAndKept_data();
}

void MainWindowTest::declinedBlankKeepsTheStoredValue() {
    QFETCH(QString, item);
    QFETCH(QString, prompt);
    QFETCH(QString, value);
    QFETCH(QString, confirmation);
    TestEnv env;
    MainWindow* window = openClinic(env);
    const QStringList before = labels(window);
    const QStringList stored = storedLetterhead();
    const QString kept = inMemory(value);
    env.dialogs.expectInput(prompt, prompt, QString(), kept);
    env.dialogs.expectQuestion(confirmation, Dialogs::Answer::No);
    trigger(window, item);

    QCOMPARE(inMemory(value), kept);
    QCOMPARE(labels(window), before);
    QCOMPARE(storedLetterhead(), stored);
}

void MainWindowTest::cancelInTheInputBoxCountsAsBlank() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    RealInputBox dialogsWithRealInput(env.dialogs);
    setDialogs(&dialogsWithRealInput);
    bool cancelled = false;
    QTimer pressCancel;
    QObject::connect(&pressCancel, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            pressCancel.stop();
            QTest::keyClick(box, Qt::Key_Escape);
            cancelled = true;
        }
    });
    pressCancel.start(10);
    env.dialogs.expectQuestion("Are you sure you want to set Clinic Name to blanks?",
                               Dialogs::Answer::No);
    trigger(window, "mnuClinicName");
    setDialogs(&env.dialogs);

    QVERIFY(cancelled);
    QCOMPARE(AppSettings().letterhead.clinicname, DefaultLetterhead().clinicname);
    QCOMPARE(label(window, 1), DefaultLetterhead().clinicname);
    QCOMPARE(ReadRegValue("clinicname"), DefaultLetterhead().clinicname);
}

void MainWindowTest::qualification2ChangesOnlyItsOwnLine() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    env.dialogs.expectInput("Enter Qualification 2", "Enter Qualification 2", "MRCOG London");
    trigger(window, "mnuQualifications2");
    const Letterhead& d = DefaultLetterhead();
    QCOMPARE(labels(window), QStringList({d.clinicname, d.drname, d.qualifications1, "MRCOG London",
                                          d.qualifications3}));
    QCOMPARE(ReadRegValue("qualifications1"), d.qualifications1);
    QCOMPARE(ReadRegValue("qualifications2"), QString("MRCOG London"));
    QCOMPARE(ReadRegValue("qualifications3"), d.qualifications3);
    QCOMPARE(AppSettings().letterhead.qualifications1, d.qualifications1);
    QCOMPARE(AppSettings().letterhead.qualifications3, d.qualifications3);
}

void MainWindowTest::acceptedLogoIsShownAndStored() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    const QString logo = writePicture(env.makeDir("pictures") + "/clinic.png", Qt::red);
    env.dialogs.expectOpenFile(kPictureFilter, logo);
    env.dialogs.expectQuestion(kLogoQuestion, Dialogs::Answer::Yes);
    trigger(window, "mnuLogo");

    QCOMPARE(shownColour(window), QColor(Qt::red));
    QCOMPARE(AppSettings().logo, logo);
    QCOMPARE(ReadRegValue("logo"), logo);

    AppSettings() = AppSettingsRecord();
    ReadAllSettings(AppSettings());
    MainWindow restarted(AppSettings());
    QCOMPARE(shownColour(&restarted), QColor(Qt::red));
}

void MainWindowTest::declinedLogoBringsBackTheStoredOne() {
    TestEnv env;
    const QString pictures = env.makeDir("pictures");
    const QString stored = writePicture(pictures + "/stored.bmp", Qt::blue);
    env.createDatabase();
    AppSettings().logo = stored;
    SaveRegValue("logo", stored);
    registerScreens(AppSettings());
    QWidget* window = Screens::get(Screen::Main);
    QCOMPARE(shownColour(window), QColor(Qt::blue));

    const QString chosen = writePicture(pictures + "/chosen.jpg", Qt::green);
    env.dialogs.expectOpenFile(kPictureFilter, chosen);
    env.dialogs.expectQuestion(kLogoQuestion, Dialogs::Answer::No);
    trigger(window, "mnuLogo");

    QCOMPARE(shownColour(window), QColor(Qt::blue));
    QCOMPARE(AppSettings().logo, stored);
    QCOMPARE(ReadRegValue("logo"), stored);
}

void MainWindowTest::declinedLogoWithoutStoredOneKeepsThePicture_data() {
    QTest::addColumn<bool>("storedFileGone");
    QTest::newRow("nothing stored") << false;
    QTest::newRow("stored file gone") << true;
}

void MainWindowTest::declinedLogoWithoutStoredOneKeepsThePicture() {
    QFETCH(bool, storedFileGone);
    TestEnv env;
    MainWindow* window = openClinic(env);
    const QString pictures = env.makeDir("pictures");
    // What is shown now came from an earlier choice in this run.
    picture(window)->setPicture(LoadPicture(writePicture(pictures + "/shown.png", Qt::yellow)));
    const QString gone = pictures + "/gone.png";
    if (storedFileGone)
        SaveRegValue("logo", gone);

    env.dialogs.expectOpenFile(kPictureFilter, writePicture(pictures + "/chosen.png", Qt::green));
    env.dialogs.expectQuestion(kLogoQuestion, Dialogs::Answer::No);
    trigger(window, "mnuLogo");

    QCOMPARE(shownColour(window), QColor(Qt::yellow));
    QCOMPARE(AppSettings().logo, storedFileGone ? gone : QString());
}

void MainWindowTest::cancelledLogoChangesNothing() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    env.dialogs.expectOpenFile(kPictureFilter, std::nullopt);
    env.dialogs.expectMessage("Logo Change Cancelled");
    trigger(window, "mnuLogo");
    QVERIFY(!shownColour(window).isValid());
    QCOMPARE(AppSettings().logo, QString());
    QCOMPARE(ReadRegValue("logo"), QString());
}

void MainWindowTest::fileThatIsNoPictureIsRefused() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    const QString pictures = env.makeDir("pictures");
    const QString stored = writePicture(pictures + "/stored.png", Qt::blue);
    AppSettings().logo = stored;
    SaveRegValue("logo", stored);
    picture(window)->setPicture(LoadPicture(stored));
    const QString notAPicture = pictures + "/letter.png";
    writeFile(notAPicture, "Dear doctor, this is a letter and not a picture.");

    env.dialogs.expectOpenFile(kPictureFilter, notAPicture);
    env.dialogs.expectMessage("481 Invalid picture");
    trigger(window, "mnuLogo");

    QCOMPARE(shownColour(window), QColor(Qt::blue));
    QCOMPARE(AppSettings().logo, stored);
    QCOMPARE(ReadRegValue("logo"), stored);
}

void MainWindowTest::storedLogoThatIsNoPictureLeavesTheDesignPicture() {
    TestEnv env;
    env.createDatabase();
    const QString broken = env.makeDir("pictures") + "/broken.gif";
    writeFile(broken, "GIF89a but nothing after it");
    AppSettings().logo = broken;
    MainWindow window(AppSettings());
    QVERIFY(!shownColour(&window).isValid());
}

void MainWindowTest::databaseInAnotherDirectoryIsTakenAtOnce() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    const QString before = AppSettings().databaseFilePath;
    const QString other = copyDatabase(env, "branch");
    addCatalogRows(other, 3);
    env.dialogs.expectQuestion(kDatabaseQuestion, Dialogs::Answer::Yes, Dialogs::Icon::Critical);
    env.dialogs.expectOpenFile(kDatabaseFilter, other);
    trigger(window, "mnuDatabase");

    const QString directory = env.root() + "/branch";
    QCOMPARE(AppSettings().dbpath, directory);
    QCOMPARE(AppSettings().databaseFilePath, other);
    QCOMPARE(ReadRegValue("dbpath"), directory);
    QCOMPARE(catalogRows(AppSettings().databaseFilePath), 3);
    QCOMPARE(catalogRows(before), 0);
    for (const Screen which : allScreens())
        if (QWidget* screen = Screens::existing(which))
            for (DataSource* source : screen->findChildren<DataSource*>())
                QCOMPARE(source->databaseName(), other);
}

void MainWindowTest::olderDatabaseIsUpgradedWhenTaken() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    env.dialogs.expectInput("Enter Clinic Name", "Enter Clinic Name", "Nour Clinic");
    trigger(window, "mnuClinicName");
    const QString old = env.makeDir("old") + "/korvel_data.mdb";
    createOldLayoutDatabase(old);
    QVERIFY(UpgradeNeeded(old));

    env.dialogs.expectQuestion(kDatabaseQuestion, Dialogs::Answer::Yes, Dialogs::Icon::Critical);
    env.dialogs.expectOpenFile(kDatabaseFilter, old);
    env.dialogs.expectMessage("The database has been modified successfully");
    trigger(window, "mnuDatabase");

    QVERIFY(!UpgradeNeeded(old));
    QCOMPARE(AppSettings().databaseFilePath, old);
    // The upgrade puts the built-in letterhead back, and the window shows it at once.
    QCOMPARE(label(window, 1), DefaultLetterhead().clinicname);
    QCOMPARE(ReadRegValue("clinicname"), DefaultLetterhead().clinicname);
}

void MainWindowTest::changedLetterheadReachesTheNextReport_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("daily") << "RepType_1";
    QTest::newRow("monthly") << "RepType_2";
    QTest::newRow("annual") << "RepType_3";
}

// The reports were prepared at start-up with the old name; the one produced after the menu
// carries the new one, without a restart.
void MainWindowTest::changedLetterheadReachesTheNextReport() {
    QFETCH(QString, kind);
    TestEnv env;
    MainWindow* window = openClinic(env);
    SetDefaults(AppSettings());
    window->show();
    env.dialogs.expectInput("Enter Clinic Name", "Enter Clinic Name", "Dar Al Shifa",
                            inMemory("clinicname"));
    trigger(window, "mnuClinicName");

    click(window, "SSCommand3");
    QWidget* dialog = opened(Screen::PeriodicReports);
    chooseOption(dialog, kind);
    const PreviewWatch watch;
    click(dialog, "SSCommand1");
    QVERIFY(watch.seen());
    QCOMPARE(textOf(watch.shown().pages.at(0), "clinicname"), "Dar Al Shifa");
}

void MainWindowTest::refusedDatabaseChangeLeavesTheDatabase_data() {
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("korvelData");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("icon");
    const int none = int(Dialogs::Icon::None);
    const int critical = int(Dialogs::Icon::Critical);
    const QString invalid = "This database is invalid!";
    // chosen and korvelData: what the chosen file and the directory's korvel_data.mdb hold.
    QTest::newRow("question declined") << "No"
                                       << ""
                                       << ""
                                       << "" << none;
    QTest::newRow("dialog cancelled") << "Yes"
                                      << "cancel"
                                      << ""
                                      << "Database Change Cancelled" << none;
    QTest::newRow("not a database") << "Yes"
                                    << "text"
                                    << "" << invalid << critical;
    QTest::newRow("valid under another name") << "Yes"
                                              << "database"
                                              << "" << kCopyFirst << none;
    QTest::newRow("valid beside an invalid korvel_data.mdb") << "Yes"
                                                             << "database"
                                                             << "text" << invalid << critical;
}

void MainWindowTest::refusedDatabaseChangeLeavesTheDatabase() {
    QFETCH(QString, question);
    QFETCH(QString, chosen);
    QFETCH(QString, korvelData);
    QFETCH(QString, message);
    QFETCH(int, icon);
    TestEnv env;
    MainWindow* window = openClinic(env);
    const AppSettingsRecord before = AppSettings();
    const QString other = env.makeDir("other");
    std::optional<QString> file = other + "/korvel_data.mdb";
    if (chosen == "cancel")
        file = std::nullopt;
    else if (chosen == "text")
        writeFile(*file, "Standard Jet DB, or so it says");
    else if (chosen == "database")
        file = copyDatabase(env, "other", "clinic.mdb");
    if (korvelData == "text")
        writeFile(other + "/korvel_data.mdb", "not a database");

    env.dialogs.expectQuestion(kDatabaseQuestion,
                               question == "Yes" ? Dialogs::Answer::Yes : Dialogs::Answer::No,
                               Dialogs::Icon::Critical);
    if (question == "Yes")
        env.dialogs.expectOpenFile(kDatabaseFilter, file);
    if (!message.isEmpty())
        env.dialogs.expectMessage(message, Dialogs::Buttons::Ok, Dialogs::Icon(icon));
    trigger(window, "mnuDatabase");

    QCOMPARE(AppSettings().dbpath, before.dbpath);
    QCOMPARE(AppSettings().databaseFilePath, before.databaseFilePath);
    QCOMPARE(ReadRegValue("dbpath"), before.dbpath);
    if (chosen == "text")
        QCOMPARE(readFile(*file), QByteArray("Standard Jet DB, or so it says"));
}

void MainWindowTest::compactionReplacesTheDatabaseInPlace() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    const QString database = AppSettings().databaseFilePath;
    addCatalogRows(database, 40);
    {
        ScopedDatabase db(database);
        runQuery(db.db(), "DELETE FROM file_desc WHERE code > '20'");
    }
    const QString leftOver = env.programDirectory() + "/test.mdb";
    writeFile(leftOver, "left by an earlier run");
    const qint64 sizeBefore = QFileInfo(database).size();

    env.dialogs.expectMessage("Database was compacted successfully");
    trigger(window, "mnuCompactDatabase");

    QVERIFY(!QFileInfo::exists(leftOver));
    QVERIFY(ValidDB(database));
    QCOMPARE(catalogRows(database), 11);
    QVERIFY(QFileInfo(database).size() <= sizeBefore);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(window->isEnabled());
}

void MainWindowTest::failedCompactionKeepsTheDatabaseAndTheProgram() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    const QString database = AppSettings().databaseFilePath;
    closeAllDatabases();
    writeFile(database, "damaged beyond compaction");

    env.dialogs.expectMessage("Compact Database failed!\r\nfile is not a database");
    trigger(window, "mnuCompactDatabase");

    QVERIFY(env.log().endsWith("error in (CompactDB) : 26 -> file is not a database\r\n"));
    QCOMPARE(readFile(database), QByteArray("damaged beyond compaction"));
    QVERIFY(!QFileInfo::exists(env.programDirectory() + "/test.mdb"));
    QVERIFY(!QApplication::overrideCursor());
    // The program goes on: the window answers the next menu item.
    QVERIFY(window->isEnabled());
    env.dialogs.expectInput("Enter Doctor Name", "Enter Doctor Name", "DR./ NOUR");
    trigger(window, "mnuDoctorName");
    QCOMPARE(label(window, 2), QString("DR./ NOUR"));
}

void MainWindowTest::compactionRefusesAFileTheUserCannotWrite() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    const QString database = AppSettings().databaseFilePath;
    addCatalogRows(database, 3);
    closeAllDatabases();
    QFile::setPermissions(database, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    const QByteArray before = readFile(database);

    const QString reason = "You cannot write to the database " + database +
                           " or to its folder, so it was not compacted. Nothing was changed.";
    env.dialogs.expectMessage("Compact Database failed!\r\n" + reason);
    trigger(window, "mnuCompactDatabase");

    QCOMPARE(env.log(), "error in (CompactDB) : 75 -> " + reason + "\r\n");
    QCOMPARE(readFile(database), before);
    struct stat status {};
    QCOMPARE(::stat(QFile::encodeName(database).constData(), &status), 0);
    QCOMPARE(status.st_mode & 07777, 0444u);
    QVERIFY(!QFileInfo::exists(env.programDirectory() + "/test.mdb"));
    QCOMPARE(catalogRows(database), 3);
}

// A database shared with the clinic's group stays so after compaction, whoever compacts it.
void MainWindowTest::compactedFileKeepsModeAndGroup() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    const QString database = AppSettings().databaseFilePath;
    const QFile::Permissions shared =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup;
    QFile::setPermissions(database, shared);
    // A group other than the user's own where the user may give one (always as root).
    const QByteArray encoded = QFile::encodeName(database);
    if (::geteuid() == 0)
        QCOMPARE(::chown(encoded.constData(), static_cast<uid_t>(-1), 1), 0);
    struct stat before {};
    QCOMPARE(::stat(encoded.constData(), &before), 0);

    env.dialogs.expectMessage("Database was compacted successfully");
    trigger(window, "mnuCompactDatabase");

    struct stat after {};
    QCOMPARE(::stat(encoded.constData(), &after), 0);
    QVERIFY(after.st_ino != before.st_ino);
    QCOMPARE(after.st_mode & 07777, before.st_mode & 07777);
    QCOMPARE(after.st_gid, before.st_gid);
}

void MainWindowTest::compactionRefusesADamagedFile() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    const QString database = AppSettings().databaseFilePath;
    makeDamagedDatabase(database);
    const QByteArray before = readFile(database);
    const QString finding = damageFound(database);
    QVERIFY(!finding.isEmpty());

    const QString reason = "The database " + database + " is damaged (" + finding +
                           ").\r\nWorking on it can lose more data: make a copy of the file "
                           "now, and go back to your last good copy of the database or have "
                           "this one repaired.";
    env.dialogs.expectMessage("Compact Database failed!\r\n" + reason);
    trigger(window, "mnuCompactDatabase");

    // The copy taken before compaction is refused for the same damage, and only logged.
    QCOMPARE(env.log(), "error (Backup) : 11 -> " + reason + "\r\nerror in (CompactDB) : 11 -> " +
                            reason + "\r\n");
    QCOMPARE(readFile(database), before);
}

// Another copy (here a second holder of the lock) works on the chosen database: this copy is told
// and stays on its own.
void MainWindowTest::databaseOfAnotherCopyIsNotTaken() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    const QString before = AppSettings().databaseFilePath;
    const QString other = copyDatabase(env, "branch");
    QLockFile otherCopy(other + ".lock");
    QVERIFY(otherCopy.tryLock());
    const QString since = QFileInfo(other + ".lock").lastModified().toString("dd/MM/yyyy HH:mm");

    env.dialogs.expectQuestion(kDatabaseQuestion, Dialogs::Answer::Yes, Dialogs::Icon::Critical);
    env.dialogs.expectOpenFile(kDatabaseFilter, other);
    env.dialogs.expectMessage("The database " + other +
                              " is in use by another copy of this program on the computer " +
                              QSysInfo::machineHostName() + " since " + since + " (process " +
                              QString::number(QCoreApplication::applicationPid()) +
                              ").\r\nOnly one copy can work on a database at a time: close the "
                              "other copy first.");
    trigger(window, "mnuDatabase");
    QCOMPARE(AppSettings().databaseFilePath, before);
}

void MainWindowTest::reportsLocationRefusesWhatItCannotUse() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    const QString before = AppSettings().reportspath;
    env.dialogs.expectQuestion("Are you sure you want to change the Reports Directory",
                               Dialogs::Answer::No, Dialogs::Icon::Critical);
    changeReportsLocation(AppSettings(), window);

    env.dialogs.expectQuestion("Are you sure you want to change the Reports Directory",
                               Dialogs::Answer::Yes, Dialogs::Icon::Critical);
    env.dialogs.expectPickFolder("Select Reports Folder", QString());
    env.dialogs.expectMessage("The reports must be copied to this Direcotry first!");
    changeReportsLocation(AppSettings(), window);

    env.dialogs.expectQuestion("Are you sure you want to change the Reports Directory",
                               Dialogs::Answer::Yes, Dialogs::Icon::Critical);
    env.dialogs.expectPickFolder("Select Reports Folder", env.makeDir("empty"));
    env.dialogs.expectMessage("The reports must be copied to this Direcotry first!");
    changeReportsLocation(AppSettings(), window);

    QCOMPARE(AppSettings().reportspath, before);
    QCOMPARE(ReadRegValue("reportspath"), before);
}

void MainWindowTest::everyWayOfClosingGivesTheMainWindowBack_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("screen");
    QTest::addColumn<QString>("how");
    for (const auto& [button, screen] : kScreenButtons)
        for (const char* how : {"frame", "hidden", "unloaded"})
            QTest::newRow(qPrintable(screen + " " + how)) << button << screen << how;
}

void MainWindowTest::everyWayOfClosingGivesTheMainWindowBack() {
    QFETCH(QString, button);
    QFETCH(QString, screen);
    QFETCH(QString, how);
    TestEnv env;
    MainWindow* window = openClinic(env);
    registerBareScreens();
    window->show();
    for (int round = 0; round < 2; ++round) {
        click(window, button);
        QWidget* shown = Screens::existing(screenNamed(screen));
        QVERIFY(shown && shown->isVisible());
        QCOMPARE(shown->windowModality(), Qt::NonModal);
        QVERIFY(!window->isEnabled());
        QVERIFY(window->isVisible());
        if (how == "frame")
            QVERIFY(shown->close());
        else if (how == "hidden")
            shown->hide();
        else
            delete shown;
        QTRY_VERIFY(window->isEnabled());
    }
}

void MainWindowTest::handOverFromOpenFileToInvoiceKeepsMainDisabled() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    registerBareScreens();
    window->show();
    click(window, "SSCommand5");
    QWidget* openFile = Screens::existing(Screen::OpenFile);
    QWidget* invoice = Screens::get(Screen::Invoice);
    openFile->hide();
    invoice->show();
    settle();
    QVERIFY(!window->isEnabled());
    invoice->close();
    QTRY_VERIFY(window->isEnabled());
}

namespace {
// Reads the title that the window system is given for the next modal window, then closes it.
void readTitleOfNextModalWindow(QString& title) {
    QTimer::singleShot(0, [&title] {
        QWidget* window = QApplication::activeModalWidget();
        title = window->windowHandle()->title();
        window->close();
    });
}
} // namespace

void MainWindowTest::windowsWithoutCaptionShowNoText() {
    TestEnv env;
    QtDialogs real;
    const auto blank = [](const QString& title) {
        return !title.isEmpty() && title.trimmed().isEmpty();
    };
    QString title;
    readTitleOfNextModalWindow(title);
    real.message("not found", Dialogs::Buttons::Ok, Dialogs::Icon::None, QString());
    QVERIFY(blank(title));
    readTitleOfNextModalWindow(title);
    real.inputBox("Code Number :", QString(), QString());
    QVERIFY(blank(title));
    OpenFileDialog openFile(AppSettings());
    openFile.winId();
    QVERIFY(blank(openFile.windowHandle()->title()));
}

void MainWindowTest::screenThatDoesNotExistChangesNothing() {
    TestEnv env;
    MainWindow* window = openClinic(env);
    Screens::registerFactory(Screen::Catalog, {});
    window->openScreen(Screen::Catalog);
    QVERIFY(window->isEnabled());
    QVERIFY(!Screens::existing(Screen::Catalog));
}

void MainWindowTest::programScreensGiveTheMainWindowBack_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("screen");
    for (const auto& [button, screen] : kScreenButtons)
        QTest::newRow(qPrintable(screen)) << button << screen;
}

// The screens as the program makes them, once they are built.
void MainWindowTest::programScreensGiveTheMainWindowBack() {
    QFETCH(QString, button);
    QFETCH(QString, screen);
    TestEnv env;
    MainWindow* window = openClinic(env);
    window->show();
    click(window, button);
    QVERIFY(!window->isEnabled());
    QWidget* shown = Screens::existing(screenNamed(screen));
    QVERIFY(shown && shown->isVisible());
    shown->close();
    QTRY_VERIFY(window->isEnabled());
}

void MainWindowTest::quitClosesEveryWindow_data() {
    QTest::addColumn<bool>("byFrame");
    QTest::newRow("Quit button") << false;
    QTest::newRow("window frame while a screen is open") << true;
}

void MainWindowTest::quitClosesEveryWindow() {
    QFETCH(bool, byFrame);
    TestEnv env;
    MainWindow* window = openClinic(env);
    registerBareScreens();
    window->show();
    trigger(window, "mnuAbout");
    QVERIFY(Screens::existing(Screen::About)->isVisible());
    if (byFrame) {
        window->openScreen(Screen::Catalog);
        QVERIFY(window->close());
    } else {
        click(window, "SSCommand7");
    }
    QVERIFY(!window->isVisible());
    for (QWidget* screen : Screens::loaded())
        QVERIFY2(!screen->isVisible(), qPrintable(screen->objectName()));
}

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
