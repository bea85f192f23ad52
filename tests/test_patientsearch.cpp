#include "support/testenv.h"

#include "binding/screens.h"
#include "db/connection.h"
#include "patients/bidirectionaldelegate.h"
#include "patients/patientsearchscreen.h"
#include "settings/appsettings.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

namespace {

QSqlDatabase database() {
    return openDatabase(AppSettings().databaseFilePath);
}

void addPatient(const QString& fileNumber, const QString& given, const QVariant& family,
                const QString& homeTel = QString(), const QString& mobile = QString()) {
    runQuery(database(),
             "INSERT INTO per_inf_data (file_num, pt_name_f, pt_name_fm, pt_name, pt_tel_h, "
             "mobileno) VALUES (?, ?, ?, ?, ?, ?)",
             {fileNumber, given, family, given + " " + family.toString(), homeTel, mobile});
}

template <typename T = QWidget> T* child(QWidget* screen, const QString& name) {
    T* found = screen->findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

QRadioButton* option(QWidget* screen, int index) {
    for (auto* button : screen->findChildren<QRadioButton*>("optSearch"))
        if (button->property("index").toInt() == index)
            return button;
    qFatal("no option button %d", index);
}

// The file numbers that the grid lists, in its order.
QStringList listed(QWidget* screen) {
    QAbstractItemModel* model = child<QTableView>(screen, "DBGrid1")->model();
    QStringList numbers;
    for (int row = 0; row < model->rowCount(); ++row)
        numbers << model->index(row, 0).data().toString();
    return numbers;
}

void search(QWidget* screen, const QString& text) {
    auto* box = child<QLineEdit>(screen, "txtSearch");
    box->clear();
    QTest::keyClicks(box, text);
    QTest::mouseClick(child<QPushButton>(screen, "SSCommand1"), Qt::LeftButton);
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
    void familyNameSearchFindsTheTextAnywhere();
    void emptyTextListsTheFilesWhoseFieldIsNotNull();
    void enterSearchesAndOtherKeysAreTyped();
    void quotesAndWildcardsAreSearchedLiterally_data();
    void quotesAndWildcardsAreSearchedLiterally();
    void eachOptionNamesItsFieldInTheLabelAndSearchesIt_data();
    void eachOptionNamesItsFieldInTheLabelAndSearchesIt();
    void quitAndReopenListsEveryFileAgain();
    void arabicNamesAreFoundAndDrawnRightToLeft();
    void manyMatchesAreFetchedAsTheGridScrolls();
    void searchThatTheDatabaseRefusesSaysWhy();

  private:
    QWidget* openScreen();

    std::unique_ptr<TestEnv> env_;
};

void PatientSearchTest::init() {
    env_ = std::make_unique<TestEnv>();
    env_->createDatabase();
    Screens::registerFactory("Form2", [] { return new QWidget; });
    Screens::registerFactory("Form3", [] { return new PatientSearchScreen; });
    addPatient("1", "Khalid", "Alharbi", "4561234", "0551112222");
    addPatient("2", "Sara", "Salem", "4569999", "0553334444");
    addPatient("3", "Omar", "Omar", "1112223", "0501234567");
    addPatient("4", "Noura", QVariant(), "", "");
    addPatient("5", "Ali", "O'Neil");
    addPatient("6", "Huda", "50%off");
    addPatient("7", "Yousef", "Al_Saud");
}

void PatientSearchTest::cleanup() {
    env_.reset();
}

QWidget* PatientSearchTest::openScreen() {
    Screens::get("Form2")->setEnabled(false);
    QWidget* screen = Screens::get("Form3");
    screen->show();
    QCoreApplication::processEvents();
    return screen;
}

void PatientSearchTest::opensListingEveryFileWithNumberAndName() {
    QWidget* screen = openScreen();
    QCOMPARE(screen->windowTitle(), "Reasersh");
    QAbstractItemModel* model = child<QTableView>(screen, "DBGrid1")->model();
    QCOMPARE(model->columnCount(), 2);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), "File No.");
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), "Name");
    QCOMPARE(listed(screen), QStringList({"1", "2", "3", "4", "5", "6", "7"}));
    QCOMPARE(model->index(0, 1).data().toString(), "Khalid Alharbi");
    QVERIFY(!(model->flags(model->index(0, 1)) & Qt::ItemIsEditable));
    QVERIFY(option(screen, 0)->isChecked());
    QCOMPARE(child<QLabel>(screen, "Label7")->text(), "Search Family Name:");
    QCOMPARE(child<QLineEdit>(screen, "txtSearch")->maxLength(), 12);
}

void PatientSearchTest::familyNameSearchFindsTheTextAnywhere() {
    QWidget* screen = openScreen();
    search(screen, "al");
    QCOMPARE(listed(screen), QStringList({"1", "2", "7"}));
    search(screen, "mar");
    QCOMPARE(listed(screen), QStringList({"3"}));
    search(screen, "xyz");
    QCOMPARE(listed(screen), QStringList());
}

void PatientSearchTest::emptyTextListsTheFilesWhoseFieldIsNotNull() {
    QWidget* screen = openScreen();
    search(screen, "");
    QCOMPARE(listed(screen), QStringList({"1", "2", "3", "5", "6", "7"}));
}

void PatientSearchTest::enterSearchesAndOtherKeysAreTyped() {
    QWidget* screen = openScreen();
    auto* box = child<QLineEdit>(screen, "txtSearch");
    QTest::keyClicks(box, "Omar Salem Alharbi");
    QCOMPARE(box->text(), "Omar Salem A");
    box->clear();
    QTest::keyClicks(box, "sal");
    QCOMPARE(listed(screen).size(), 7);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(listed(screen), QStringList({"2"}));
}

void PatientSearchTest::quotesAndWildcardsAreSearchedLiterally_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("apostrophe") << "O'N" << QStringList({"5"});
    QTest::newRow("percent") << "%" << QStringList({"6"});
    QTest::newRow("underscore") << "_" << QStringList({"7"});
    QTest::newRow("backslash") << "\\" << QStringList();
    QTest::newRow("escape character") << "!" << QStringList();
    QTest::newRow("engine wildcard") << "*" << QStringList();
}

void PatientSearchTest::quotesAndWildcardsAreSearchedLiterally() {
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
    QTest::mouseClick(child<QPushButton>(screen, "SSCommand2"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(screen.isNull());
    QVERIFY(Screens::get("Form2")->isEnabled());

    screen = openScreen();
    QCOMPARE(listed(screen).size(), 7);
    QVERIFY(option(screen, 0)->isChecked());
    search(screen, "Salem");
    QCOMPARE(listed(screen), QStringList({"2"}));

    screen->close();
    QVERIFY(Screens::get("Form2")->isEnabled());
}

void PatientSearchTest::arabicNamesAreFoundAndDrawnRightToLeft() {
    addPatient("8", QString::fromUtf8("محمد"), QString::fromUtf8("العتيبي"));
    addPatient("9", QString::fromUtf8("سارة"), QString::fromUtf8("الحربي"));
    QWidget* screen = openScreen();
    auto* box = child<QLineEdit>(screen, "txtSearch");
    for (const QChar c : QString::fromUtf8("عتيب"))
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(listed(screen), QStringList({"8"}));

    auto* grid = child<QTableView>(screen, "DBGrid1");
    const QModelIndex arabic = grid->model()->index(0, 1);
    QCOMPARE(arabic.data().toString(), QString::fromUtf8("محمد العتيبي"));
    ExposedDelegate delegate;
    QStyleOptionViewItem cell;
    delegate.initStyleOption(&cell, arabic);
    QCOMPARE(cell.direction, Qt::RightToLeft);
    QStyleOptionViewItem number;
    delegate.initStyleOption(&number, grid->model()->index(0, 0));
    QCOMPARE(number.direction, Qt::LeftToRight);
}

void PatientSearchTest::manyMatchesAreFetchedAsTheGridScrolls() {
    QSqlDatabase db = database();
    inTransaction(db, [&] {
        for (int i = 0; i < 1000; ++i)
            runQuery(db, "INSERT INTO per_inf_data (file_num, pt_name_fm) VALUES (?, ?)",
                     {QString::number(1000 + i), "Zahrani"});
    });
    QWidget* screen = openScreen();
    screen->resize(480, 520);
    search(screen, "ahran");
    auto* grid = child<QTableView>(screen, "DBGrid1");
    const int firstRows = grid->model()->rowCount();
    QVERIFY2(firstRows > 0 && firstRows < 1000, qPrintable(QString::number(firstRows)));
    QCOMPARE(listed(screen).first(), "1000");

    for (int i = 0; i < 20 && grid->model()->rowCount() < 1000; ++i) {
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
        QCoreApplication::processEvents();
    }
    QCOMPARE(grid->model()->rowCount(), 1000);
    QCOMPARE(listed(screen).last(), "1999");
}

// Told, rather than shown as a search that found nothing.
void PatientSearchTest::searchThatTheDatabaseRefusesSaysWhy() {
    QWidget* screen = openScreen();
    runQuery(database(), "ALTER TABLE per_inf_data RENAME TO per_inf_data_gone");
    env_->dialogs.expectMessage("1 -> no such table: per_inf_data");
    search(screen, "Salem");
    QVERIFY(env_->dialogs.allAnswered());
}

QTEST_MAIN(PatientSearchTest)
#include "test_patientsearch.moc"
