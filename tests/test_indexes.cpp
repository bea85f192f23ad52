#include "support/clinicrows.h"
#include "support/testenv.h"

#include "app/runsettings.h"
#include "db/clinic/paymentreports.h"
#include "db/clinic/reportrows.h"
#include "db/engine/connection.h"
#include "db/engine/recordsources.h"
#include "db/upkeep/schema.h"
#include "upkeep/databaseprocedures.h"

#include <QFile>
#include <QTest>
#include <sqlite3.h>

namespace {

QString planOf(const QString& sql) {
    return rowsOf("EXPLAIN QUERY PLAN " + QString(sql).replace("?", "'x'")).join("\n");
}

int addedIndexesPresent() {
    int present = 0;
    for (const AddedIndexDef& index : addedIndexes())
        present += valueIn("SELECT 1 FROM sqlite_master WHERE name = ?", {index.name}).isValid();
    return present;
}

// What a file of an earlier version of the program holds: the tables' own indexes only and no
// record of the collator.
void makeEarlierFile() {
    QSqlDatabase db = clinicDatabase();
    for (const AddedIndexDef& index : addedIndexes())
        runQuery(db, "DROP INDEX " + index.name);
    runQuery(db, "DROP TABLE collation_version");
}

// Patients whose nationality is typed in several letter cases, invoices over days, months and
// years, some of them still due.
void fillClinic() {
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&] {
        const QStringList nationalities{"SAUDI", "saudi", "مصري", "Saudi", "", "يمني"};
        for (int i = 0; i < 60; ++i)
            addPatient({{"file_num", QString::number(i % 40)},
                        {"pt_name", "Name " + QString::number(i)},
                        {"pt_nationality", i % 7 == 6 ? QVariant() : nationalities[i % 6]},
                        {"temporary", i % 3 == 0 ? 1 : 0}},
                       db);
        for (int i = 0; i < 3000; ++i)
            addInvoice(QString::number(i % 45),
                       QString("%1/%2/%3")
                           .arg(1 + i % 28, 2, 10, QChar('0'))
                           .arg(1 + i / 28 % 12, 2, 10, QChar('0'))
                           .arg(2020 + i % 5),
                       100 + i, i % 7 == 0 ? 10 + i % 90 : 0, db);
    });
}

QStringList rowsRead(RowSource& source) {
    QStringList rows;
    while (source.next()) {
        QStringList values;
        for (int i = 0; i < source.columns().size(); ++i)
            values << source.value(i).toString();
        rows << values.join('|');
    }
    return rows;
}

// Every report and list that an added index serves, as the program reads it.
QStringList everyReadOf(const QString& path) {
    QStringList rows;
    for (const char* day : {"05/03/2021", "28/12/2024", "01/01/2020"})
        rows << rowsRead(*periodInvoiceRows(path, ReportPeriod::Day, day));
    for (const char* month : {"03/2021", "12/2024"})
        rows << rowsRead(*periodInvoiceRows(path, ReportPeriod::Month, month));
    rows << rowsRead(*periodInvoiceRows(path, ReportPeriod::Year, "2023"));
    rows << rowsRead(*nationalityCountRows(path));
    rows << rowsOf(kPendingInvoicesQuery);
    return rows;
}

bool integrityOk() {
    return rowsOf("PRAGMA integrity_check") == QStringList{"ok"};
}

int reversedBytes(void*, int length1, const void* text1, int length2, const void* text2) {
    const int order = memcmp(text1, text2, size_t(std::min(length1, length2)));
    return order != 0 ? -order : length2 - length1;
}

// Rebuilds the file's collated indexes in another order, as a collator of other rules would.
void rebuildUnderOtherRules(const QString& path) {
    closeAllDatabases();
    sqlite3* handle = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &handle);
    sqlite3_create_collation(handle, "ARABIC", SQLITE_UTF8, nullptr, reversedBytes);
    sqlite3_exec(handle, "REINDEX ARABIC; UPDATE collation_version SET version = '0.0.0.0'",
                 nullptr, nullptr, nullptr);
    sqlite3_close(handle);
}

QByteArray bytesOf(const QString& path) {
    closeAllDatabases();
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

// The indexes added for the reports and lists: the statements use them, a file without them
// gets them on its next start with the same rows, and a change of the collator's rules rebuilds
// every index ordered by the collation.
class IndexesTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void statementsUseTheirIndexes_data();
    void statementsUseTheirIndexes();
    void upgradeAddsThemAndRowsStayIdentical();
    void changedCollatorRebuildsTheCollatedIndexes();
    void cancelledUpkeepLeavesTheFileAsItWas();

  private:
    std::unique_ptr<TestEnv> env;
    QString path;
};

void IndexesTest::init() {
    env = std::make_unique<TestEnv>();
    path = env->createDatabase();
}

void IndexesTest::cleanup() {
    closeAllDatabases();
    env.reset();
}

void IndexesTest::statementsUseTheirIndexes_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("index");
    QTest::newRow("daily report") << periodInvoiceQuery(ReportPeriod::Day) << "INDEX pt_sh_po_date";
    QTest::newRow("monthly report")
        << periodInvoiceQuery(ReportPeriod::Month) << "COVERING INDEX pt_sh_fmon";
    QTest::newRow("annual report") << periodInvoiceQuery(ReportPeriod::Year) << "INDEX pt_sh_fyear";
    // Read from the index alone; the patients come in the order of their groups.
    QTest::newRow("nationality count")
        << nationalityCountQuery() << "COVERING INDEX per_inf_data_nationality";
    QTest::newRow("pending list") << QString(kPendingInvoicesQuery) << "INDEX pt_sh_pending";
    QTest::newRow("statement") << statementQuery() << "INDEX payments_file_num";
}

void IndexesTest::statementsUseTheirIndexes() {
    QFETCH(QString, sql);
    QFETCH(QString, index);
    fillClinic();
    QVERIFY2(planOf(sql).contains(index), qPrintable(planOf(sql)));
    runQuery(clinicDatabase(), "DROP INDEX " + index.split(' ').last());
    QVERIFY2(!planOf(sql).contains(index.split(' ').last()), qPrintable(planOf(sql)));
}

void IndexesTest::upgradeAddsThemAndRowsStayIdentical() {
    fillClinic();
    makeEarlierFile();
    const QStringList before = everyReadOf(path);
    QVERIFY(before.size() > 600);

    UpgradeDB(AppSettings());
    QCOMPARE(addedIndexesPresent(), int(addedIndexes().size()));
    QVERIFY(planOf(periodInvoiceQuery(ReportPeriod::Year)).contains("pt_sh_fyear"));
    QCOMPARE(everyReadOf(path), before);
    QVERIFY(integrityOk());
    QCOMPARE(env->log(), QString());
}

void IndexesTest::changedCollatorRebuildsTheCollatedIndexes() {
    fillClinic();
    rebuildUnderOtherRules(path);
    QVERIFY(!integrityOk());

    UpgradeDB(AppSettings());
    QVERIFY(integrityOk());
    QCOMPARE(valueIn("SELECT version FROM collation_version").toString(), arabicCollationVersion());
    QCOMPARE(rowsOf("SELECT count(*) FROM pt_sh WHERE fyear = '2023'"), QStringList{"600"});

    // Once the file is up to date, a start writes nothing into it.
    const QByteArray upToDate = bytesOf(path);
    UpgradeDB(AppSettings());
    QCOMPARE(bytesOf(path), upToDate);
}

void IndexesTest::cancelledUpkeepLeavesTheFileAsItWas() {
    // Enough invoices that the engine reports progress while it sorts them.
    for (int round = 0; round < 10; ++round)
        fillClinic();
    makeEarlierFile();
    const QByteArray earlier = bytesOf(path);

    env->dialogs.cancelProgressAt(0);
    UpgradeDB(AppSettings());
    QVERIFY(!env->dialogs.progressShown().isEmpty());
    QCOMPARE(bytesOf(path), earlier);
    QCOMPARE(env->log(), QString());

    QCOMPARE(addedIndexesPresent(), 0);
    UpgradeDB(AppSettings());
    QCOMPARE(addedIndexesPresent(), int(addedIndexes().size()));
}

QTEST_MAIN(IndexesTest)
#include "test_indexes.moc"
