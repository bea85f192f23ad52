#include "support/clinicrows.h"
#include "support/testenv.h"

#include "binding/datasource.h"
#include "binding/keyfilter.h"
#include "binding/maskededit.h"
#include "db/engine/connection.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

namespace {

void addGivenName(const QString& fileNumber, const QString& givenName) {
    addPatient({{"file_num", fileNumber}, {"pt_name_f", givenName}});
}

// A patient screen in small: a data source on per_inf_data with one box of each kind.
struct PatientBoxes {
    explicit PatientBoxes(const QString& path) : source(&screen, "Data1") {
        combo->setEditable(true);
        combo->addItems({"", "SAUDI", "NON SAUDI"});
        date->setMask("##/##/####");
        date->setPromptChar(' ');
        source.setDatabaseName(path);
        source.setRecordSource("per_inf_data");
        source.bind(number, "file_num");
        source.bind(name, "pt_name_f");
        source.bind(combo, "pt_nationality");
        source.bind(temporary, "temporary");
        source.bind(date, "file_data");
    }

    QWidget screen;
    QLineEdit* number = new QLineEdit(&screen);
    QLineEdit* name = new QLineEdit(&screen);
    QComboBox* combo = new QComboBox(&screen);
    QCheckBox* temporary = new QCheckBox(&screen);
    MaskedEdit* date = new MaskedEdit(&screen);
    DataSource source;
};

int openHandlesOf(const QString& path) {
    const QString target = QFileInfo(path).canonicalFilePath();
    int handles = 0;
    for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::Files | QDir::System))
        handles += fd.symLinkTarget() == target;
    return handles;
}

// Runs the work and returns the AppError it raised; fails the test when it raised none.
template <typename Work> AppError raised(Work work) {
    try {
        work();
    } catch (const AppError& error) {
        return error;
    }
    QTest::qFail("no error was raised", __FILE__, __LINE__);
    return AppError(0, QString());
}

} // namespace

class DataSourceTest : public QObject {
    Q_OBJECT
  private slots:
    void refreshShowsTheFirstRecordInTheBoxes();
    void anotherRecordLeavesNoUndoBehind();
    void refreshAndFindGoesStraightToTheRecord();
    void storeWritesOnlyTheEditedFields();
    void addNewStoresTheFilledBoxes();
    void cancelAndDelete();
    void refusedStoreKeepsWhatWasTyped();
    void findFirstTakesTheValueLiterally();
    void storesOnMoveWritesPendingEdits();
    void movesStopAtBothEnds();
    void querySourceIsReadOnly();
    void queryValuesKeepTheirKinds_data();
    void queryValuesKeepTheirKinds();
    void refreshFailuresRaiseTheEnginesError();
    void nothingHoldsTheFileBetweenOperations();
    void modelCountsItsRowsAndReadsThemWhereAsked();
    void modelFollowsTheSourcesWrites();
    void gridEditsWriteBackToTheRecord();
    void aFieldChangedSinceReadIsNeverOverwrittenUnseen();
    void clickBeyondTheTextOfAMaskedBoxTypesIntoIt();
    void maskedEditFollowsItsMask();
    void maskedEditShowsStoredDatesInItsFormat();
    void digitFilterPassesDigitsAndBackspace();
};

void DataSourceTest::refreshShowsTheFirstRecordInTheBoxes() {
    TestEnv env;
    const QString path = env.createDatabase();
    runQuery(openDatabase(path),
             "INSERT INTO per_inf_data (file_num, pt_name_f, pt_nationality, temporary, "
             "file_data) VALUES ('001', 'Salem', 'SAUDI', 1, '06/12/2026')");
    addGivenName("002", "Huda");
    PatientBoxes boxes(path);
    QSignalSpy changed(&boxes.source, &DataSource::currentChanged);

    boxes.source.refresh();

    QVERIFY(boxes.source.isOpen());
    QVERIFY(boxes.source.isTable());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(boxes.number->text(), QString("001"));
    QCOMPARE(boxes.name->text(), QString("Salem"));
    QCOMPARE(boxes.combo->currentText(), QString("SAUDI"));
    QVERIFY(boxes.temporary->isChecked());
    QCOMPARE(boxes.date->maskedText(), QString("06/12/2026"));
    QCOMPARE(boxes.source.field("file_num").toString(), QString("001"));
    QCOMPARE(boxes.source.recordCount(), 2);
    QVERIFY(!boxes.source.hasPendingEdits());

    QVERIFY(boxes.source.findFirst("file_num", "002"));
    QVERIFY(!boxes.source.noMatch());
    QCOMPARE(boxes.name->text(), QString("Huda"));
    // Nulls show as empty boxes.
    QCOMPARE(boxes.combo->currentText(), QString());
    QVERIFY(!boxes.temporary->isChecked());
    QCOMPARE(boxes.date->maskedText(), QString("  /  /    "));

    QVERIFY(!boxes.source.findFirst("file_num", "999"));
    QVERIFY(boxes.source.noMatch());
    QCOMPARE(boxes.name->text(), QString("Huda"));
}

void DataSourceTest::anotherRecordLeavesNoUndoBehind() {
    TestEnv env;
    const QString path = env.createDatabase();
    addGivenName("001", "Salem");
    addGivenName("002", "Salem");
    PatientBoxes boxes(path);
    boxes.source.refresh();

    // Typed and taken back: the box shows the same name as the next record has.
    QTest::keyClicks(boxes.name, "X");
    QTest::keyClick(boxes.name, Qt::Key_Backspace);
    QVERIFY(boxes.name->isUndoAvailable());
    QVERIFY(boxes.source.findFirst("file_num", "002"));

    QCOMPARE(boxes.name->text(), QString("Salem"));
    QVERIFY(!boxes.name->isUndoAvailable());
}

void DataSourceTest::refreshAndFindGoesStraightToTheRecord() {
    TestEnv env;
    const QString path = env.createDatabase();
    addGivenName("001", "Salem");
    addGivenName("002", "Huda");
    PatientBoxes boxes(path);
    boxes.source.refresh();
    addGivenName("003", "Reem");
    QSignalSpy changed(&boxes.source, &DataSource::currentChanged);

    // A record added since the last reading is found, and only it is shown.
    QVERIFY(boxes.source.refreshAndFind("file_num", "003"));
    QCOMPARE(boxes.name->text(), QString("Reem"));
    QCOMPARE(changed.count(), 1);
    QVERIFY(!boxes.source.noMatch());

    QVERIFY(!boxes.source.refreshAndFind("file_num", "999"));
    QVERIFY(boxes.source.noMatch());
    QCOMPARE(boxes.name->text(), QString("Salem"));

    boxes.source.refresh();
    QVERIFY(!boxes.source.noMatch());
    boxes.source.setDatabaseName(QString());
    QCOMPARE(raised([&] { boxes.source.refreshAndFind("file_num", "001"); }).number(), 3420);
}

void DataSourceTest::storeWritesOnlyTheEditedFields() {
    TestEnv env;
    const QString path = env.createDatabase();
    addGivenName("001", "Salem");
    PatientBoxes boxes(path);
    boxes.source.refresh();
    // Written behind the screen's back after the boxes were loaded: store must not undo it.
    runQuery(openDatabase(path),
             "UPDATE per_inf_data SET pt_age = '40', temporary = 1, file_data = '01/01/2020'");

    boxes.name->setText("Saleh");
    boxes.combo->setEditText("NON SAUDI");
    QVERIFY(boxes.source.hasPendingEdits());
    boxes.source.store();

    QCOMPARE(valueIn("SELECT pt_name_f FROM per_inf_data").toString(), QString("Saleh"));
    QCOMPARE(valueIn("SELECT pt_nationality FROM per_inf_data").toString(), QString("NON SAUDI"));
    QCOMPARE(valueIn("SELECT pt_age FROM per_inf_data").toString(), QString("40"));
    QCOMPARE(valueIn("SELECT temporary FROM per_inf_data").toInt(), 1);
    QCOMPARE(valueIn("SELECT file_data FROM per_inf_data").toString(), QString("01/01/2020"));
    QCOMPARE(boxes.source.field("pt_age").toString(), QString("40"));
    QVERIFY(!boxes.source.hasPendingEdits());

    // setField values are written with the boxes, and win over a box bound to the same field.
    boxes.name->setText("Typed");
    boxes.source.setField("pt_name_f", "Composed");
    boxes.source.setField("pt_name", "Saleh Composed");
    boxes.source.store();
    QCOMPARE(valueIn("SELECT pt_name_f FROM per_inf_data").toString(), QString("Composed"));
    QCOMPARE(valueIn("SELECT pt_name FROM per_inf_data").toString(), QString("Saleh Composed"));
    QCOMPARE(boxes.name->text(), QString("Composed"));
}

void DataSourceTest::addNewStoresTheFilledBoxes() {
    TestEnv env;
    const QString path = env.createDatabase();
    addGivenName("001", "Salem");
    PatientBoxes boxes(path);
    boxes.source.refresh();

    boxes.source.addNew();
    QVERIFY(boxes.source.isAddingNew());
    QVERIFY(boxes.source.hasPendingEdits());
    QCOMPARE(boxes.number->text(), QString());
    QCOMPARE(boxes.name->text(), QString());
    boxes.number->setText("002");
    boxes.temporary->setChecked(true);
    boxes.date->setText("06/12/2026");
    boxes.source.store();

    QVERIFY(!boxes.source.isAddingNew());
    QCOMPARE(countOf("per_inf_data"), 2);
    QCOMPARE(boxes.source.field("file_num").toString(), QString("002"));
    QVERIFY(boxes.source.field("id").toInt() > 1);
    // The empty boxes wrote nothing: their fields stay null, not empty text.
    QCOMPARE(valueIn("SELECT pt_name_f IS NULL FROM per_inf_data WHERE file_num = '002'").toInt(),
             1);
    QCOMPARE(valueIn("SELECT pt_nationality IS NULL FROM per_inf_data WHERE "
                     "file_num = '002'")
                 .toInt(),
             1);
    QCOMPARE(valueIn("SELECT temporary FROM per_inf_data WHERE file_num = '002'").toInt(), 1);
    QCOMPARE(valueIn("SELECT file_data FROM per_inf_data WHERE file_num = '002'").toString(),
             QString("06/12/2026"));
}

void DataSourceTest::cancelAndDelete() {
    TestEnv env;
    const QString path = env.createDatabase();
    addGivenName("001", "Salem");
    addGivenName("002", "Huda");
    addGivenName("003", "Omar");
    PatientBoxes boxes(path);
    boxes.source.refresh();

    boxes.source.addNew();
    boxes.number->setText("004");
    boxes.source.cancel();
    QVERIFY(!boxes.source.isAddingNew());
    QCOMPARE(boxes.number->text(), QString("001"));
    QCOMPARE(countOf("per_inf_data"), 3);

    boxes.name->setText("Changed");
    boxes.source.cancel();
    QCOMPARE(boxes.name->text(), QString("Salem"));
    QVERIFY(!boxes.source.hasPendingEdits());

    QVERIFY(boxes.source.findFirst("file_num", "002"));
    boxes.source.deleteCurrent();
    QVERIFY(!boxes.source.hasCurrent());
    QCOMPARE(boxes.number->text(), QString());
    QCOMPARE(countOf("per_inf_data"), 2);
    QCOMPARE(raised([&] { boxes.source.deleteCurrent(); }).number(), 3021);
    QCOMPARE(raised([&] { boxes.source.store(); }).number(), 3021);
    boxes.source.movePrevious();
    QCOMPARE(boxes.number->text(), QString("001"));
    boxes.source.deleteCurrent();
    boxes.source.moveNext();
    QCOMPARE(boxes.number->text(), QString("003"));
}

void DataSourceTest::refusedStoreKeepsWhatWasTyped() {
    TestEnv env;
    const QString path = env.createDatabase();
    addGivenName("001", "Salem");
    PatientBoxes boxes(path);
    boxes.source.refresh();

    boxes.number->setText("1234567");
    AppError tooLong = raised([&] { boxes.source.store(); });
    QCOMPARE(tooLong.number(), 275);
    QVERIFY2(tooLong.description().contains("holds at most 6 characters"),
             qPrintable(tooLong.description()));
    QCOMPARE(boxes.number->text(), QString("1234567"));
    QCOMPARE(valueIn("SELECT file_num FROM per_inf_data").toString(), QString("001"));

    boxes.number->clear();
    AppError empty = raised([&] { boxes.source.store(); });
    QCOMPARE(empty.number(), 275);
    QVERIFY2(empty.description().contains("zero-length"), qPrintable(empty.description()));
    QCOMPARE(valueIn("SELECT file_num FROM per_inf_data").toString(), QString("001"));

    boxes.source.addNew();
    boxes.number->setText("7777777");
    boxes.name->setText("Kept");
    QCOMPARE(raised([&] { boxes.source.store(); }).number(), 275);
    QVERIFY(boxes.source.isAddingNew());
    QCOMPARE(boxes.name->text(), QString("Kept"));
    boxes.number->setText("002");
    boxes.source.store();
    QCOMPARE(countOf("per_inf_data"), 2);

    // A Long column takes whole numbers only; an emptied box writes null.
    QWidget screen;
    auto* code = new QLineEdit(&screen);
    auto* amount = new QLineEdit(&screen);
    DataSource catalog(&screen, "Data1");
    catalog.setDatabaseName(path);
    catalog.setRecordSource("file_desc");
    catalog.bind(code, "code");
    catalog.bind(amount, "amount");
    runQuery(openDatabase(path),
             "INSERT INTO file_desc (code, descrip, amount) VALUES ('12', 'X', 5)");
    catalog.refresh();
    amount->setText("12.5");
    QCOMPARE(raised([&] { catalog.store(); }).number(), 3421);
    QCOMPARE(amount->text(), QString("12.5"));
    amount->setText("abc");
    QCOMPARE(raised([&] { catalog.store(); }).number(), 3421);
    QCOMPARE(valueIn("SELECT amount FROM file_desc").toInt(), 5);
    amount->clear();
    catalog.store();
    QCOMPARE(valueIn("SELECT amount IS NULL FROM file_desc").toInt(), 1);
}

void DataSourceTest::findFirstTakesTheValueLiterally() {
    TestEnv env;
    const QString path = env.createDatabase();
    addGivenName("001", "5000");
    addGivenName("002", "50%");
    addGivenName("003", "O'Brien");
    addGivenName("004", "محمد");
    addGivenName("005", "SALEM");
    PatientBoxes boxes(path);
    boxes.source.refresh();

    QVERIFY(boxes.source.findFirst("pt_name_f", "O'Brien"));
    QCOMPARE(boxes.number->text(), QString("003"));
    QVERIFY(boxes.source.findFirst("pt_name_f", "50%"));
    QCOMPARE(boxes.number->text(), QString("002"));
    QVERIFY(!boxes.source.findFirst("pt_name_f", "%"));
    QVERIFY(!boxes.source.findFirst("pt_name_f", "5_00"));
    QVERIFY(boxes.source.findFirst("pt_name_f", "محمد"));
    QCOMPARE(boxes.number->text(), QString("004"));
    // Letter case is ignored, as the Arabic collation of the database compares.
    QVERIFY(boxes.source.findFirst("pt_name_f", "salem"));
    QCOMPARE(boxes.number->text(), QString("005"));
    QVERIFY(!boxes.source.findFirst("file_num", "' OR '1'='1"));

    // A field name never reaches the statement unless the table has that column.
    const AppError error = raised([&] { boxes.source.findFirst("file_num = file_num OR 1", "x"); });
    QCOMPARE(error.number(), 3265);
    QCOMPARE(boxes.number->text(), QString("005"));
    QCOMPARE(raised([&] { boxes.source.field("nonsense"); }).number(), 3265);
    QCOMPARE(raised([&] { boxes.source.setField("nonsense", 1); }).number(), 3265);
}

void DataSourceTest::storesOnMoveWritesPendingEdits() {
    TestEnv env;
    const QString path = env.createDatabase();
    addGivenName("001", "Salem");
    addGivenName("002", "Huda");
    addGivenName("003", "Omar");
    PatientBoxes boxes(path);
    boxes.source.refresh();

    // Without it, moving drops the edit.
    boxes.name->setText("Lost");
    boxes.source.moveNext();
    QCOMPARE(valueIn("SELECT count(*) FROM per_inf_data WHERE pt_name_f = 'Lost'").toInt(), 0);

    boxes.source.setStoresOnMove(true);
    boxes.name->setText("Huda Saved");
    boxes.source.moveNext();
    QCOMPARE(boxes.number->text(), QString("003"));
    QCOMPARE(valueIn("SELECT pt_name_f FROM per_inf_data WHERE file_num = '002'").toString(),
             QString("Huda Saved"));

    // A find that misses does not move and keeps the edit; one that hits stores it.
    boxes.name->setText("Omar Saved");
    QVERIFY(!boxes.source.findFirst("file_num", "999"));
    QCOMPARE(boxes.name->text(), QString("Omar Saved"));
    QVERIFY(boxes.source.findFirst("file_num", "003"));
    QCOMPARE(boxes.name->text(), QString("Omar Saved"));
    QCOMPARE(valueIn("SELECT pt_name_f FROM per_inf_data WHERE file_num = '003'").toString(),
             QString("Omar Saved"));

    // A refused store stops the move: the record and the typed text stay.
    boxes.number->setText("TOOLONG");
    QCOMPARE(raised([&] { boxes.source.moveFirst(); }).number(), 275);
    QCOMPARE(boxes.number->text(), QString("TOOLONG"));
    QCOMPARE(boxes.source.field("file_num").toString(), QString("003"));
    boxes.source.cancel();

    // A new record with something typed is stored by the move; an untouched one is dropped.
    boxes.source.addNew();
    boxes.number->setText("004");
    boxes.source.moveFirst();
    QCOMPARE(countOf("per_inf_data"), 4);
    boxes.source.addNew();
    boxes.source.moveLast();
    QCOMPARE(countOf("per_inf_data"), 4);
    QCOMPARE(boxes.number->text(), QString("004"));

    boxes.name->setText("Closing");
    boxes.source.close();
    QVERIFY(!boxes.source.isOpen());
    QCOMPARE(valueIn("SELECT pt_name_f FROM per_inf_data WHERE file_num = '004'").toString(),
             QString("Closing"));

    // Edits left when the database was released under the source do not stop it binding again.
    boxes.source.refresh();
    boxes.name->setText("Orphan");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("is still in use"));
    closeDatabase(path);
    boxes.source.refresh();
    QVERIFY(boxes.source.isOpen());
    QCOMPARE(boxes.name->text(), QString("Salem"));
}

void DataSourceTest::movesStopAtBothEnds() {
    TestEnv env;
    const QString path = env.createDatabase();
    QWidget screen;
    DataSource source(&screen, "Data1");
    source.setDatabaseName(path);
    source.setRecordSource("per_inf_data");
    source.refresh();
    QVERIFY(!source.hasCurrent());
    source.moveNext();
    source.moveLast();
    QVERIFY(!source.hasCurrent());
    QCOMPARE(source.recordCount(), 0);

    for (const QString number : {"001", "002", "003"})
        addGivenName(number, "P" + number);
    runQuery(openDatabase(path), "DELETE FROM per_inf_data WHERE file_num = '002'");
    addGivenName("004", "P004");
    source.refresh();
    QCOMPARE(source.field("file_num").toString(), QString("001"));
    source.movePrevious();
    QCOMPARE(source.field("file_num").toString(), QString("001"));
    source.moveNext();
    QCOMPARE(source.field("file_num").toString(), QString("003"));
    source.moveNext();
    QCOMPARE(source.field("file_num").toString(), QString("004"));
    source.moveNext();
    QCOMPARE(source.field("file_num").toString(), QString("004"));
    source.moveFirst();
    source.moveLast();
    QCOMPARE(source.field("file_num").toString(), QString("004"));
    source.movePrevious();
    QCOMPARE(source.field("file_num").toString(), QString("003"));
    QCOMPARE(source.recordCount(), 3);
    // A source that nothing shows reads its first record when asked; a move goes on from there.
    source.refresh();
    source.moveNext();
    QCOMPARE(source.field("file_num").toString(), QString("003"));
}

// Every engine gives a value of a query alike: a whole number as 64 bits, a text as stored, a null
// as a null text (an empty number box stays empty), a fraction as a double.
void DataSourceTest::queryValuesKeepTheirKinds_data() {
    QTest::addColumn<QString>("expression");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("whole number") << "-7" << QVariant(qlonglong(-7));
    QTest::newRow("beyond 32 bits") << "CAST(9000000000 AS BIGINT)" << QVariant(9000000000LL);
    QTest::newRow("stored number") << "temporary" << QVariant(qlonglong(1));
    QTest::newRow("stored text") << "pt_name_f" << QVariant(QString("هدى Huda"));
    QTest::newRow("empty text") << "''" << QVariant(QString(""));
    QTest::newRow("null") << "pt_name_s" << QVariant(QMetaType::fromType<QString>());
    QTest::newRow("fraction") << "CAST(1.5 AS REAL)" << QVariant(1.5);
}

void DataSourceTest::queryValuesKeepTheirKinds() {
    QFETCH(QString, expression);
    QFETCH(QVariant, expected);
    TestEnv env;
    const QString path = env.createDatabase();
    addPatient({{"file_num", "001"}, {"pt_name_f", "هدى Huda"}, {"temporary", 1}});
    QWidget screen;
    DataSource query(&screen, "Data1");
    query.setDatabaseName(path);
    query.setRecordSource("SELECT " + expression + " AS v FROM per_inf_data");

    query.refresh();

    const QVariant value = query.field("v");
    QCOMPARE(value.metaType(), expected.metaType());
    QCOMPARE(value.isNull(), expected.isNull());
    QCOMPARE(value, expected);
}

void DataSourceTest::querySourceIsReadOnly() {
    TestEnv env;
    const QString path = env.createDatabase();
    addGivenName("001", "Salem");
    addGivenName("002", "Huda");
    runQuery(openDatabase(path), "UPDATE per_inf_data SET pt_name = pt_name_f");
    for (const auto& invoice : QList<QVariantList>{
             {"001", 100, 0}, {"002", 200, 50}, {"001", 300, 300}, {"003", 400, 400}})
        runQuery(openDatabase(path),
                 "INSERT INTO pt_sh (file_num, po_pri, po_netd) VALUES (?, ?, ?)", invoice);
    QWidget screen;
    auto* number = new QLineEdit(&screen);
    DataSource list(&screen, "Data2");
    list.setDatabaseName(path);
    list.setRecordSource("select per_inf_data.file_num,pt_name,po_num,po_date,po_pri,po_netd from "
                         "per_inf_data,pt_sh where (per_inf_data.file_num=pt_sh.file_num) and "
                         "(pt_sh.po_netd > ?) order by po_num;");
    list.setRecordSourceValues({0});
    list.bind(number, "file_num");
    list.refresh();

    QVERIFY(!list.isTable());
    QCOMPARE(list.recordCount(), 2);
    QCOMPARE(number->text(), QString("002"));
    QCOMPARE(list.field("pt_name").toString(), QString("Huda"));
    list.moveNext();
    QCOMPARE(list.field("po_pri").toInt(), 300);
    list.moveNext();
    QCOMPARE(list.field("po_pri").toInt(), 300);
    list.movePrevious();
    list.movePrevious();
    QCOMPARE(list.field("po_pri").toInt(), 200);
    QVERIFY(list.findFirst("po_netd", 300));
    QCOMPARE(list.field("pt_name").toString(), QString("Salem"));
    list.moveNext();
    QCOMPARE(list.field("po_pri").toInt(), 300);

    QCOMPARE(raised([&] { list.addNew(); }).number(), 3027);
    QCOMPARE(raised([&] { list.deleteCurrent(); }).number(), 3027);
    number->setText("999");
    QCOMPARE(raised([&] { list.store(); }).number(), 3027);
    QCOMPARE(countOf("pt_sh"), 4);
}

void DataSourceTest::refreshFailuresRaiseTheEnginesError() {
    TestEnv env;
    const QString path = env.createDatabase();
    QWidget screen;
    auto* box = new QLineEdit(&screen);
    DataSource source(&screen, "Data1");
    source.setDatabaseName(path);
    source.setRecordSource("no_such_table");
    QCOMPARE(raised([&] { source.refresh(); }).number(), 3078);
    QVERIFY(!source.isOpen());
    QCOMPARE(raised([&] { source.moveFirst(); }).number(), 3420);

    source.setRecordSource("select x from nowhere");
    const AppError malformed = raised([&] { source.refresh(); });
    QVERIFY2(malformed.description().contains("nowhere"), qPrintable(malformed.description()));

    source.setRecordSource("per_inf_data");
    source.bind(box, "no_such_field");
    QCOMPARE(raised([&] { source.refresh(); }).number(), 3265);
    QVERIFY(!source.isOpen());
    source.bind(box, "file_num");
    source.refresh();
    QVERIFY(source.isOpen());
    QCOMPARE(raised([&] { source.bind(box, "no_such_field"); }).number(), 3265);
    QCOMPARE(raised([&] { source.bind(new QWidget(&screen), "file_num"); }).number(),
             int(ErrorNumber::Unexpected));

    source.setDatabaseName(env.root() + "/missing.mdb");
    QCOMPARE(raised([&] { source.refresh(); }).number(), 3024);
    QVERIFY(!QFile::exists(env.root() + "/missing.mdb"));

    // Detached, as before a compaction: no error, nothing open.
    source.setDatabaseName(QString());
    source.refresh();
    QVERIFY(!source.isOpen());
}

void DataSourceTest::nothingHoldsTheFileBetweenOperations() {
    if (testsOnServer())
        QSKIP("a file's locks and handles: a server holds no file of the program's");
    TestEnv env;
    const QString path = env.createDatabase();
    runQuery(openDatabase(path),
             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
             "WHERE i < ?) INSERT INTO per_inf_data (file_num) SELECT i FROM n",
             {3 * RecordSourceModel::PageSize});
    QWidget screen;
    DataSource source(&screen, "Data1");
    source.setDatabaseName(path);
    source.setRecordSource("per_inf_data");
    source.model();
    source.refresh();
    source.moveNext();
    // Rows read far down the list, by position, as a grid dragged there reads them.
    QTRY_VERIFY_WITH_TIMEOUT(source.model()->isCounted(), 30000);
    QVERIFY(!source.model()->value(2 * RecordSourceModel::PageSize, "file_num").isNull());

    // Another connection can write while the source and its grid are open on the file.
    {
        ScopedDatabase other(path);
        runQuery(other.db(), "PRAGMA busy_timeout = 0");
        runQuery(other.db(), "INSERT INTO per_inf_data (file_num) VALUES ('X')");
    }

    source.close();
    QVERIFY(!source.isOpen());
    QCOMPARE(source.model()->rowCount(), 0);
    closeDatabase(path);
    // The engine closes a connection only once its statements are gone: none may keep the file.
    QCOMPARE(openHandlesOf(path), 0);
}

void DataSourceTest::modelCountsItsRowsAndReadsThemWhereAsked() {
    TestEnv env;
    const QString path = env.createDatabase();
    const int patients = 200000;
    runQuery(openDatabase(path),
             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
             "INSERT INTO pt_sh (file_num, po_pri, po_netd) SELECT " +
                 QString(testsOnServer() ? "lpad(i::text, 6, '0')" : "printf('%06d', i)") +
                 ", i, 0 FROM n",
             {patients});
    QWidget screen;
    DataSource source(&screen, "Data2");
    source.setDatabaseName(path);
    source.setRecordSource("pt_sh");
    RecordSourceModel* model = source.model();
    QCOMPARE(model->rowCount(), 0);
    source.refresh();

    // The first page at once, then the whole list, counted; the rows after the first page are
    // read as they are asked for.
    const int page = RecordSourceModel::PageSize;
    QVERIFY(model->rowCount() < patients);
    QTRY_VERIFY_WITH_TIMEOUT(model->isCounted(), 60000);
    QCOMPARE(model->rowCount(), patients);
    QCOMPARE(model->value(page, "file_num").toString(),
             QString("%1").arg(page + 1, 6, 10, QChar('0')));
    QCOMPARE(model->rowId(page), qint64(page + 1));
    QCOMPARE(model->columnCount(), 7);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("po_num"));

    model->setColumns({{"file_num", "Patient No"}, {"po_pri", "Amount"}});
    QCOMPARE(model->columnCount(), 2);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString("Patient No"));
    QCOMPARE(model->data(model->index(2, 1)).toInt(), 3);
    model->setCurrencyColumns({"po_pri"});
    runQuery(openDatabase(path), "UPDATE pt_sh SET po_pri = 1234 WHERE po_num = 1");
    source.refresh();
    QTRY_COMPARE_WITH_TIMEOUT(model->rowCount(), patients, 60000);
    QCOMPARE(model->data(model->index(0, 1)).toString(), QLocale().toCurrencyString(1234.0));
    QCOMPARE(model->data(model->index(0, 1), Qt::EditRole).toInt(), 1234);

    source.moveLast();
    QCOMPARE(source.field("po_num").toInt(), patients);
    QCOMPARE(source.currentRow(), -1);
    source.moveToRow(5);
    QCOMPARE(source.field("po_num").toInt(), 6);
    QCOMPARE(source.currentRow(), 5);
    QCOMPARE(source.recordCount(), patients);
}

void DataSourceTest::modelFollowsTheSourcesWrites() {
    TestEnv env;
    const QString path = env.createDatabase();
    addGivenName("001", "Salem");
    addGivenName("002", "Huda");
    PatientBoxes boxes(path);
    RecordSourceModel* model = boxes.source.model();
    boxes.source.refresh();
    QCOMPARE(model->rowCount(), 2);

    boxes.name->setText("Salem Edited");
    boxes.source.store();
    QCOMPARE(model->value(0, "pt_name_f").toString(), QString("Salem Edited"));

    boxes.source.addNew();
    boxes.number->setText("003");
    boxes.source.store();
    QCOMPARE(model->rowCount(), 3);
    QCOMPARE(model->value(2, "file_num").toString(), QString("003"));
    QCOMPARE(boxes.source.currentRow(), 2);

    QVERIFY(boxes.source.findFirst("file_num", "002"));
    boxes.source.deleteCurrent();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->value(1, "file_num").toString(), QString("003"));
}

void DataSourceTest::gridEditsWriteBackToTheRecord() {
    TestEnv env;
    const QString path = env.createDatabase();
    for (const auto& invoice :
         QList<QVariantList>{{"001", 1000, 200}, {"002", 50, 50}, {"001", 300, 0}})
        runQuery(openDatabase(path),
                 "INSERT INTO pt_sh (file_num, po_pri, po_netd) VALUES (?, ?, ?)", invoice);
    QWidget screen;
    DataSource invoices(&screen, "Data2");
    invoices.setDatabaseName(path);
    invoices.setRecordSource("pt_sh");
    invoices.setFilter("file_num", "001");
    RecordSourceModel* model = invoices.model();
    model->setColumns({{"po_num", "Invoice No"}, {"po_netd", "Due"}});
    model->setEditable(true);
    invoices.refresh();
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(invoices.recordCount(), 2);
    QVERIFY(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));

    // A row's edits wait until the row is written.
    QVERIFY(model->setData(model->index(0, 1), "150"));
    QVERIFY(model->isEditedRow(0));
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh WHERE po_num = 1").toInt(), 200);
    QVERIFY(model->writeEditedRow());
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh WHERE po_num = 1").toInt(), 150);
    QCOMPARE(invoices.field("po_netd").toInt(), 150);
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh WHERE po_num = 2").toInt(), 50);

    // A refused row keeps what was typed, and is written before another row is edited.
    QVERIFY(model->setData(model->index(1, 1), "ten"));
    env.dialogs.expectMessage("Data type conversion error: 'po_netd' takes a whole number.");
    QVERIFY(!model->writeEditedRow());
    QCOMPARE(model->data(model->index(1, 1), Qt::EditRole).toString(), "ten");
    env.dialogs.expectMessage("Data type conversion error: 'po_netd' takes a whole number.");
    QVERIFY(!model->setData(model->index(0, 1), "120"));
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh WHERE po_num = 3").toInt(), 0);

    // A query source has no record to write a cell back to.
    invoices.setRecordSource("select * from pt_sh");
    invoices.refresh();
    QVERIFY(!(model->flags(model->index(0, 1)) & Qt::ItemIsEditable));
    QVERIFY(!model->setData(model->index(0, 1), "1"));
}

// Two workstations on one record: the second to save a field that the first changed since it was
// read is told what the record now holds; only saving again writes over it.
void DataSourceTest::aFieldChangedSinceReadIsNeverOverwrittenUnseen() {
    TestEnv env;
    const QString path = env.createDatabase();
    addGivenName("001", "Salem");
    PatientBoxes first(path);
    PatientBoxes second(path);
    first.source.refresh();
    second.source.refresh();

    first.name->setText("Saleh");
    first.source.store();
    second.name->setText("salem");
    const AppError refused = raised([&] { second.source.store(); });
    QCOMPARE(refused.number(), 3197);
    QCOMPARE(refused.description(),
             "The record was changed at another workstation since you read it, and your changes "
             "were not saved. It now holds:\r\npt_name_f: Saleh\r\nSave again to put your "
             "values over it.");
    QCOMPARE(valueIn("SELECT pt_name_f FROM per_inf_data").toString(), "Saleh");
    QCOMPARE(second.name->text(), "salem");
    second.source.store();
    QCOMPARE(valueIn("SELECT pt_name_f FROM per_inf_data").toString(), "salem");

    // The same in a grid, on an invoice's net due.
    const int invoice = addInvoice("001", "01/12/2026", 1000, 400);
    QWidget screen;
    DataSource invoices(&screen, "Data2");
    invoices.setDatabaseName(path);
    invoices.setRecordSource("pt_sh");
    RecordSourceModel* model = invoices.model();
    model->setColumns({{"po_num", "Invoice No"}, {"po_netd", "Due"}});
    model->setEditable(true);
    invoices.refresh();
    runQuery(openDatabase(path), "UPDATE pt_sh SET po_netd = 0 WHERE po_num = ?", {invoice});
    QVERIFY(model->setData(model->index(0, 1), "100"));
    env.dialogs.expectMessage(
        "The record was changed at another workstation since you read it, and your changes were "
        "not saved. It now holds:\r\npo_netd: 0\r\nSave again to put your values over it.");
    QVERIFY(!model->writeEditedRow());
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh").toInt(), 0);
    QVERIFY(model->writeEditedRow());
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh").toInt(), 100);
}

void DataSourceTest::clickBeyondTheTextOfAMaskedBoxTypesIntoIt() {
    QWidget screen;
    auto* date = new MaskedEdit(&screen);
    date->setPromptChar(' ');
    date->setMask("##/##/####");
    date->resize(200, date->sizeHint().height());
    screen.show();
    const QPoint rightEnd(date->width() - 4, date->height() / 2);
    QTest::mouseClick(date, Qt::LeftButton, {}, rightEnd);
    QTest::keyClicks(date, "0612");
    QCOMPARE(date->maskedText(), QString("06/12/    "));
    QTest::mouseClick(date, Qt::LeftButton, {}, rightEnd);
    QTest::keyClicks(date, "2026");
    QCOMPARE(date->maskedText(), QString("06/12/2026"));
    // A click inside what was typed still places the cursor where it lands.
    QTest::mouseClick(date, Qt::LeftButton, {}, QPoint(2, date->height() / 2));
    QCOMPARE(date->cursorPosition(), 0);
}

void DataSourceTest::maskedEditFollowsItsMask() {
    QWidget screen;
    auto* date = new MaskedEdit(&screen);
    screen.show();
    date->setFocus();
    date->setMask("##/##/####");
    QCOMPARE(date->maskedText(), QString("__/__/____"));
    QCOMPARE(date->value(), QString());

    QTest::keyClicks(date, "12a3x4567");
    QCOMPARE(date->maskedText(), QString("12/34/567_"));
    QCOMPARE(date->value(), QString("12/34/567_"));
    date->setPromptChar(' ');
    QCOMPARE(date->maskedText(), QString("12/34/567 "));

    // The all-literal mask empties the box and shows only its shape.
    date->setMask("  /  /    ");
    QCOMPARE(date->maskedText(), QString("  /  /    "));
    QCOMPARE(date->value(), QString());
    date->setMask("##/##/####");
    date->setText("06/12/2026");
    QCOMPARE(date->maskedText(), QString("06/12/2026"));

    for (const QString bad : {"6/12/2026", "06-12-2026", "ab/cd/efgh", "06/12/20266"}) {
        const AppError error = raised([&] { date->setText(bad); });
        QCOMPARE(error.number(), int(ErrorNumber::InvalidPropertyValue));
        QCOMPARE(date->maskedText(), QString("06/12/2026"));
    }
    date->setText(QString());
    QCOMPARE(date->maskedText(), QString("  /  /    "));

    // Without a mask it is a plain box with a maximum length.
    date->setMask(QString());
    date->setMaxLength(4);
    QTest::keyClicks(date, "ab-12x");
    QCOMPARE(date->maskedText(), QString("ab-1"));
    QCOMPARE(date->value(), QString("ab-1"));
}

// The usual stored form is read by hand; whatever it reads must be what Qt's parse of
// "d/M/yyyy" (or ISO) reads, and what neither reads is shown as stored.
void DataSourceTest::maskedEditShowsStoredDatesInItsFormat() {
    QWidget screen;
    MaskedEdit* date = new MaskedEdit(&screen);
    MaskedEdit* asStored = new MaskedEdit(&screen);
    for (MaskedEdit* box : {date, asStored}) {
        box->setMask("##/##/####");
        box->setPromptChar(' ');
    }
    date->setDisplayFormat("dd/MM/yyyy");
    const QStringList stored = {"6/1/2026",   "06/01/2026", " 6/1/2026 ", "2026-01-06",
                                "31/12/1999", "29/2/2024",  "29/2/2026",  "31/04/2026",
                                "0/1/2026",   "1/13/2026",  "001/1/2026", "1/1/26",
                                "1/1/02026",  "+1/1/2026",  "1//2026",    "12/06/2026x"};
    for (const QString& text : stored) {
        QDate expected = QDate::fromString(text.trimmed(), "d/M/yyyy");
        if (!expected.isValid())
            expected = QDate::fromString(text.trimmed(), Qt::ISODate);
        date->showValue(text);
        asStored->showValue(text);
        QVERIFY2(date->text() ==
                     (expected.isValid() ? expected.toString("dd/MM/yyyy") : asStored->text()),
                 qPrintable(text + " shown as " + date->text()));
    }
    date->showValue("6/1/2026");
    QCOMPARE(date->text(), QString("06/01/2026"));
}

void DataSourceTest::digitFilterPassesDigitsAndBackspace() {
    QWidget screen;
    auto* age = new QLineEdit(&screen);
    installDigitFilter(age);
    installDigitFilter(age);
    screen.show();
    age->setFocus();

    QTest::keyClicks(age, "1a2-3 .4+e");
    QCOMPARE(age->text(), QString("1234"));
    QTest::sendKeyEvent(QTest::Click, age, Qt::Key_unknown, QString::fromUtf8("٥"), Qt::NoModifier);
    QCOMPARE(age->text(), QString("1234"));
    QTest::keyClick(age, Qt::Key_Backspace);
    QCOMPARE(age->text(), QString("123"));
    QTest::keyClick(age, Qt::Key_Left);
    QTest::keyClick(age, Qt::Key_Left);
    QTest::keyClick(age, Qt::Key_Delete);
    QCOMPARE(age->text(), QString("13"));
    QSignalSpy entered(age, &QLineEdit::returnPressed);
    QTest::keyClick(age, Qt::Key_Return);
    QCOMPARE(entered.count(), 1);

    QApplication::clipboard()->setText("5x");
    QTest::keySequence(age, QKeySequence::Paste);
    QCOMPARE(age->text(), QString("13"));
    QApplication::clipboard()->setText("56");
    QTest::keySequence(age, QKeySequence::Paste);
    QCOMPARE(age->text(), QString("1563"));
}

QTEST_MAIN(DataSourceTest)
#include "test_datasource.moc"
