#include "support/clinicrows.h"
#include "support/screentest.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/runsettings.h"
#include "binding/bidirectionaldelegate.h"
#include "db/engine/connection.h"
#include "patients/patientsearchscreen.h"
#include "screens/screens.h"
#include "upkeep/databaseprocedures.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

namespace {

// A patient file with the fields the search looks in; the full name is given then family name.
void addFile(const QString& fileNumber, const QString& given, const QVariant& family,
             const QString& homeTel = QString(), const QString& mobile = QString()) {
    addPatient({{"file_num", fileNumber},
                {"pt_name_f", given},
                {"pt_name_fm", family},
                {"pt_name", given + " " + family.toString()},
                {"pt_tel_h", homeTel},
                {"mobileno", mobile}});
}

QRadioButton* option(QWidget* screen, int index) {
    for (auto* button : screen->findChildren<QRadioButton*>("optSearch"))
        if (button->property("index").toInt() == index)
            return button;
    qFatal("no option button %d", index);
}

// The file numbers that the grid lists, in its order.
QStringList listed(QWidget* screen) {
    return columnOf(grid(screen, "DBGrid1"), 0);
}

void search(QWidget* screen, const QString& text) {
    QLineEdit* edit = box(screen, "txtSearch");
    edit->clear();
    typeText(edit, text);
    click(screen, "SSCommand1");
}

class ExposedDelegate : public BidirectionalDelegate {
  public:
    using BidirectionalDelegate::BidirectionalDelegate;
    using BidirectionalDelegate::initStyleOption;
};

} // namespace

class PatientSearchTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void opensListingEveryFileWithNumberAndName();
    void enterSearchesAndOtherKeysAreTyped();
    void searchTextsMatchLiterallyBesideTheWildcards_data();
    void searchTextsMatchLiterallyBesideTheWildcards();
    void eachOptionNamesItsFieldInTheLabelAndSearchesIt_data();
    void eachOptionNamesItsFieldInTheLabelAndSearchesIt();
    void quitAndReopenListsEveryFileAgain();
    void arabicNamesAreFoundAndDrawnRightToLeft();
    void arabicSpellingsFindEachOther_data();
    void arabicSpellingsFindEachOther();
    void searchKeysFollowEveryWriteOfAName();
    void anEarlierDatabaseGetsItsSearchKeysWhenBroughtUpToDate();
    void manyMatchesHaveTheirRowsFromTheStart();
    void searchThatTheDatabaseRefusesSaysWhy();

  private:
    QWidget* openScreen();

    std::unique_ptr<TestEnv> env_;
};

void PatientSearchTest::init() {
    env_ =
        screenTestEnv(Screen::PatientSearch, [] { return new PatientSearchScreen(AppSettings()); });
    addFile("1", "Khalid", "Alharbi", "4561234", "0551112222");
    addFile("2", "Sara", "Salem", "4569999", "0553334444");
    addFile("3", "Omar", "Omar", "1112223", "0501234567");
    addFile("4", "Noura", QVariant(), "", "");
    addFile("5", "Ali", "O'Neil");
    addFile("6", "Huda", "50%off");
    addFile("7", "Yousef", "Al_Saud");
}

void PatientSearchTest::cleanup() {
    env_.reset();
}

QWidget* PatientSearchTest::openScreen() {
    return showScreen(Screen::PatientSearch);
}

void PatientSearchTest::opensListingEveryFileWithNumberAndName() {
    QWidget* screen = openScreen();
    QCOMPARE(screen->windowTitle(), "Reasersh");
    QAbstractItemModel* model = grid(screen, "DBGrid1")->model();
    QCOMPARE(model->columnCount(), 2);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), "File No.");
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), "Name");
    QCOMPARE(listed(screen), QStringList({"1", "2", "3", "4", "5", "6", "7"}));
    QCOMPARE(model->index(0, 1).data().toString(), "Khalid Alharbi");
    QVERIFY(!(model->flags(model->index(0, 1)) & Qt::ItemIsEditable));
    QVERIFY(option(screen, 0)->isChecked());
    QCOMPARE(child<QLabel>(screen, "Label7")->text(), "Search Family Name:");
    QCOMPARE(box(screen, "txtSearch")->maxLength(), 12);
}

void PatientSearchTest::enterSearchesAndOtherKeysAreTyped() {
    QWidget* screen = openScreen();
    QLineEdit* text = box(screen, "txtSearch");
    QTest::keyClicks(text, "Omar Salem Alharbi");
    QCOMPARE(text->text(), "Omar Salem A");
    text->clear();
    QTest::keyClicks(text, "sal");
    QCOMPARE(listed(screen).size(), 7);
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(listed(screen), QStringList({"2"}));
}

void PatientSearchTest::searchTextsMatchLiterallyBesideTheWildcards_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    // The family name holds the text anywhere; an empty text lists the files that have one.
    QTest::newRow("anywhere") << "al" << QStringList({"1", "2", "7"});
    QTest::newRow("inside") << "mar" << QStringList({"3"});
    QTest::newRow("nowhere") << "xyz" << QStringList();
    QTest::newRow("empty") << "" << QStringList({"1", "2", "3", "5", "6", "7"});
    QTest::newRow("apostrophe") << "O'N" << QStringList({"5"});
    QTest::newRow("percent") << "%" << QStringList({"6"});
    QTest::newRow("underscore") << "_" << QStringList({"7"});
    QTest::newRow("backslash") << "\\" << QStringList();
    QTest::newRow("escape character") << "!" << QStringList();
    // '*' and '?' are the wildcards receptionists know.
    QTest::newRow("any characters") << "Al*i" << QStringList({"1"});
    QTest::newRow("star alone") << "*" << QStringList({"1", "2", "3", "5", "6", "7"});
    QTest::newRow("one character") << "Sal?m" << QStringList({"2"});
    QTest::newRow("one character, not none") << "Sale?m" << QStringList();
    QTest::newRow("beside a literal underscore") << "Al_*d" << QStringList({"7"});
}

void PatientSearchTest::searchTextsMatchLiterallyBesideTheWildcards() {
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    QWidget* screen = openScreen();
    search(screen, text);
    QCOMPARE(listed(screen), found);
}

void PatientSearchTest::eachOptionNamesItsFieldInTheLabelAndSearchesIt_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("Given Name") << 1 << "Search Given Name: "
                                << "a" << QStringList({"1", "2", "3", "4", "5", "6"});
    QTest::newRow("Tel. No") << 2 << "Search Tel. No: "
                             << "456" << QStringList({"1", "2"});
    QTest::newRow("Mob. No.") << 3 << "Search Mob. No.: "
                              << "0123" << QStringList({"3"});
    QTest::newRow("Family Name") << 0 << "Search Family Name: "
                                 << "Om" << QStringList({"3"});
}

void PatientSearchTest::eachOptionNamesItsFieldInTheLabelAndSearchesIt() {
    QFETCH(int, index);
    QFETCH(QString, label);
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    QWidget* screen = openScreen();
    // Another field first, so that choosing the one under test is a change.
    QTest::mouseClick(option(screen, index == 3 ? 2 : 3), Qt::LeftButton);
    QTest::mouseClick(option(screen, index), Qt::LeftButton);
    QCOMPARE(child<QLabel>(screen, "Label7")->text(), label);
    QCOMPARE(option(screen, index)->text() + ": ", label.mid(QString("Search ").size()));
    search(screen, text);
    QCOMPARE(listed(screen), found);
}

void PatientSearchTest::quitAndReopenListsEveryFileAgain() {
    QPointer<QWidget> screen = openScreen();
    QTest::mouseClick(option(screen, 1), Qt::LeftButton);
    search(screen, "Sara");
    QCOMPARE(listed(screen), QStringList({"2"}));
    click(screen, "SSCommand2");
    QVERIFY(isDeleted(screen));
    QVERIFY(mainWindow()->isEnabled());

    screen = openScreen();
    QCOMPARE(listed(screen).size(), 7);
    QVERIFY(option(screen, 0)->isChecked());
    search(screen, "Salem");
    QCOMPARE(listed(screen), QStringList({"2"}));

    screen->close();
    QVERIFY(mainWindow()->isEnabled());
}

void PatientSearchTest::arabicNamesAreFoundAndDrawnRightToLeft() {
    addFile("8", QString::fromUtf8("محمد"), QString::fromUtf8("العتيبي"));
    addFile("9", QString::fromUtf8("سارة"), QString::fromUtf8("الحربي"));
    QWidget* screen = openScreen();
    QLineEdit* text = box(screen, "txtSearch");
    typeText(text, QString::fromUtf8("عتيب"));
    QTest::keyClick(text, Qt::Key_Return);
    QCOMPARE(listed(screen), QStringList({"8"}));

    QTableView* files = grid(screen, "DBGrid1");
    const QModelIndex arabic = files->model()->index(0, 1);
    QCOMPARE(arabic.data().toString(), QString::fromUtf8("محمد العتيبي"));
    ExposedDelegate delegate;
    QStyleOptionViewItem cell;
    delegate.initStyleOption(&cell, arabic);
    QCOMPARE(cell.direction, Qt::RightToLeft);
    QStyleOptionViewItem number;
    delegate.initStyleOption(&number, files->model()->index(0, 0));
    QCOMPARE(number.direction, Qt::LeftToRight);
}

void PatientSearchTest::arabicSpellingsFindEachOther_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("found");
    const auto row = [](const char* name, const char* stored, const char* typed, bool found) {
        QTest::newRow(name) << QString::fromUtf8(stored) << QString::fromUtf8(typed) << found;
    };
    row("hamza above, typed bare", "أحمد", "احمد", true);
    row("bare, typed with hamza above", "احمد", "أحمد", true);
    row("hamza below", "إبراهيم", "ابراهيم", true);
    row("madda and ta marbuta", "آمنة", "امنه", true);
    row("alef wasla", "ٱلعربي", "العربي", true);
    row("ta marbuta typed as ha", "أسامة", "اسامه", true);
    row("ha typed as ta marbuta", "طه", "طة", true);
    row("alef maqsura typed as ya", "مصطفى", "مصطفي", true);
    row("ya typed as alef maqsura", "هادي", "هادى", true);
    row("diacritics stored", "مُحَمَّد", "محمد", true);
    row("diacritics typed", "محمد", "مُحَمَّد", true);
    row("tanween and sukun", "سَعْدٌ", "سعد", true);
    row("superscript alef", "رحمٰن", "رحمن", true);
    row("tatweel stored", "محـــمد", "محمد", true);
    row("tatweel typed", "محمد", "مـحمد", true);
    row("part of the name", "عبد الإله", "الاله", true);
    row("beside a wildcard", "أحمد", "ا*د", true);
    row("hamza on ya is its own letter", "هانئ", "هاني", false);
    row("hamza on waw is its own letter", "مؤمن", "مومن", false);
    row("other letters", "حامد", "احمد", false);
    row("Latin as before", "Ahmed", "AHM", true);
    row("Latin letters are not folded", "Ahmed", "ahmad", false);
}

// The family name and the given name, each searched with the other spelling; the grid shows the
// name as it was stored.
void PatientSearchTest::arabicSpellingsFindEachOther() {
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, found);
    addFile("8", "Zaid", stored);
    addFile("9", stored, "Zaid");
    QWidget* screen = openScreen();
    for (const int field : {0, 1}) {
        QTest::mouseClick(option(screen, field), Qt::LeftButton);
        QLineEdit* text = box(screen, "txtSearch");
        text->clear();
        typeText(text, typed);
        QTest::keyClick(text, Qt::Key_Return);
        const QString file = field == 0 ? "8" : "9";
        QCOMPARE(listed(screen), found ? QStringList{file} : QStringList());
        if (found)
            QCOMPARE(grid(screen, "DBGrid1")->model()->index(0, 1).data().toString(),
                     field == 0 ? "Zaid " + stored : stored + " Zaid");
    }
}

void PatientSearchTest::searchKeysFollowEveryWriteOfAName() {
    addFile("8", QString::fromUtf8("سعيد"), QString::fromUtf8("أحمد"));
    QWidget* screen = openScreen();
    search(screen, QString::fromUtf8("احمد"));
    QCOMPARE(listed(screen), QStringList({"8"}));

    runQuery(clinicDatabase(), "UPDATE per_inf_data SET pt_name_fm = ? WHERE file_num = '8'",
             {QString::fromUtf8("إبراهيم")});
    search(screen, QString::fromUtf8("احمد"));
    QCOMPARE(listed(screen), QStringList());
    search(screen, QString::fromUtf8("ابراهيم"));
    QCOMPARE(listed(screen), QStringList({"8"}));

    runQuery(clinicDatabase(), "UPDATE per_inf_data SET comm = 'x' WHERE file_num = '8'");
    search(screen, QString::fromUtf8("ابراهيم"));
    QCOMPARE(listed(screen), QStringList({"8"}));

    runQuery(clinicDatabase(), "DELETE FROM per_inf_data WHERE file_num = '8'");
    search(screen, QString::fromUtf8("ابراهيم"));
    QCOMPARE(listed(screen), QStringList());
    QCOMPARE(countOf("name_search_keys"), countOf("per_inf_data"));
}

void PatientSearchTest::anEarlierDatabaseGetsItsSearchKeysWhenBroughtUpToDate() {
    dropSearchKeys();
    addFile("8", QString::fromUtf8("أسامة"), QString::fromUtf8("إبراهيم"));
    UpgradeDB(AppSettings());
    QCOMPARE(countOf("name_search_keys"), countOf("per_inf_data"));
    QWidget* screen = openScreen();
    search(screen, QString::fromUtf8("ابراهيم"));
    QCOMPARE(listed(screen), QStringList({"8"}));
    search(screen, "Alharbi");
    QCOMPARE(listed(screen), QStringList({"1"}));
    QCOMPARE(valueIn("SELECT pt_name_f FROM per_inf_data WHERE file_num = '8'").toString(),
             QString::fromUtf8("أسامة"));
}

void PatientSearchTest::manyMatchesHaveTheirRowsFromTheStart() {
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&] {
        for (int i = 0; i < 1000; ++i)
            addPatient({{"file_num", QString::number(1000 + i)}, {"pt_name_fm", "Zahrani"}}, db);
    });
    QWidget* screen = openScreen();
    screen->resize(480, 520);
    search(screen, "ahran");
    QTableView* files = grid(screen, "DBGrid1");
    // The scroll bar spans every match at once; dragged to its end, it shows the last ones.
    QTRY_COMPARE(files->model()->rowCount(), 1000);
    QScrollBar* bar = files->verticalScrollBar();
    QTRY_COMPARE(bar->maximum() + bar->pageStep(), 1000);
    bar->setValue(bar->maximum());
    QVERIFY(files->viewport()->rect().contains(files->visualRect(files->model()->index(999, 0))));
    QCOMPARE(files->model()->index(999, 0).data().toString(), "1999");
    QCOMPARE(listed(screen).first(), "1000");
}

// Told, rather than shown as a search that found nothing.
void PatientSearchTest::searchThatTheDatabaseRefusesSaysWhy() {
    QWidget* screen = openScreen();
    runQuery(clinicDatabase(), "ALTER TABLE per_inf_data RENAME TO per_inf_data_gone");
    env_->dialogs.expectMessage(testsOnServer() ? "1 -> relation \"per_inf_data\" does not exist"
                                                : "1 -> no such table: per_inf_data");
    search(screen, "Salem");
    QVERIFY(env_->dialogs.allAnswered());
}

QTEST_MAIN(PatientSearchTest)
#include "test_patientsearch.moc"
