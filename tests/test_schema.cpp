#include "support/clinicrows.h"
#include "support/testenv.h"

#include "db/engine/connection.h"
#include "db/upkeep/schema.h"

#include <QSqlRecord>
#include <QTest>

// The schema of a new database, checked table by table against what the clinic's data needs:
// column order, types, size limits, empty-text refusals, counters and indexes.
class SchemaTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void tablesAndColumnsInOrder_data();
    void tablesAndColumnsInOrder();
    void everyTextColumnRefusesOneCharacterTooMany();
    void emptyTextIsRefusedExactlyWhereTheSchemaSaysSo();
    void numbersAreWholeAndWithinThirtyTwoBits();
    void countersNumberTheRows();
    void indexesCoverTheLookUpColumns();
    void textComparesInArabicOrderIgnoringCase();

  private:
    std::unique_ptr<TestEnv> env;
    QSqlDatabase db;
    bool accepted(const QString& table, const QString& column, const QVariant& value);
};

void SchemaTest::init() {
    env = std::make_unique<TestEnv>();
    db = openDatabase(env->createDatabase());
}

void SchemaTest::cleanup() {
    db = QSqlDatabase();
    env.reset();
}

bool SchemaTest::accepted(const QString& table, const QString& column, const QVariant& value) {
    try {
        runQuery(db, "INSERT INTO " + table + " (" + column + ") VALUES (?)", {value});
        return true;
    } catch (const AppError&) {
        return false;
    }
}

void SchemaTest::tablesAndColumnsInOrder_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns");
    QTest::newRow("per_inf_data")
        << "per_inf_data"
        << "id pt_name_f pt_name_s pt_name_t pt_name_fm pt_name pt_age pt_occupation pt_tel_h "
           "pt_ex_h pt_tel_w pt_ex_w pt_address pt_nationality pt_social pt_id_card rel_name "
           "rel_age rel_occupation rel_tel_h rel_ex_h rel_tel_w rel_ex_w rel_address comm file_num "
           "file_data temporary mobileno";
    QTest::newRow("pt_sh") << "pt_sh"
                           << "file_num po_num po_date po_pri po_netd fmon fyear";
    QTest::newRow("po_descs") << "po_descs"
                              << "id descr2 file_p amount2 code2 po_num";
    QTest::newRow("po_desc") << "po_desc"
                             << "id descr2 file_p amount2 code2";
    QTest::newRow("file_desc") << "file_desc"
                               << "id code descrip amount";
    QTest::newRow("inv_rep_data")
        << "inv_rep_data"
        << "id adrr name file_p invo dater cash credit1 parti1 netd paym tot";
}

void SchemaTest::tablesAndColumnsInOrder() {
    QFETCH(QString, table);
    QFETCH(QString, columns);
    const QSqlRecord record = db.record(table);
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    QCOMPARE(names.join(' '), columns);
    QVERIFY(!runQuery(db, "SELECT * FROM " + table).next());
}

void SchemaTest::everyTextColumnRefusesOneCharacterTooMany() {
    int checked = 0;
    for (const TableDef& table : schemaTables()) {
        for (const ColumnDef& column : table.columns) {
            if (column.type != ColumnDef::Type::Text)
                continue;
            const QString what = table.name + "." + column.name;
            QVERIFY2(accepted(table.name, column.name, QString(column.size, QChar(0x0639))),
                     qPrintable(what + " refuses its full size"));
            try {
                runQuery(db, "INSERT INTO " + table.name + " (" + column.name + ") VALUES (?)",
                         {QString(column.size + 1, 'x')});
                QFAIL(qPrintable(what + " accepts one character too many"));
            } catch (const AppError& error) {
                QVERIFY2(error.description().contains(what), qPrintable(error.description()));
            }
            ++checked;
        }
    }
    QCOMPARE(checked, 50);
}

void SchemaTest::emptyTextIsRefusedExactlyWhereTheSchemaSaysSo() {
    const QStringList refused{"per_inf_data.file_num", "file_desc.code",    "file_desc.descrip",
                              "po_desc.code2",         "po_descs.code2",    "inv_rep_data.file_p",
                              "inv_rep_data.invo",     "inv_rep_data.dater"};
    for (const TableDef& table : schemaTables()) {
        for (const ColumnDef& column : table.columns) {
            if (column.type != ColumnDef::Type::Text)
                continue;
            const QString what = table.name + "." + column.name;
            QVERIFY2(accepted(table.name, column.name, QString("")) != refused.contains(what),
                     qPrintable(what));
            // Leaving the column null is always accepted.
            QVERIFY2(accepted(table.name, column.name, QVariant()), qPrintable(what));
        }
    }
}

void SchemaTest::numbersAreWholeAndWithinThirtyTwoBits() {
    QVERIFY(accepted("pt_sh", "po_pri", 2147483647));
    QVERIFY(accepted("pt_sh", "po_netd", -2147483647 - 1));
    QVERIFY(!accepted("pt_sh", "po_pri", 2147483648LL));
    QVERIFY(!accepted("file_desc", "amount", "twelve"));
    QVERIFY(accepted("file_desc", "amount", "150"));
    QCOMPARE(runQuery(db, "SELECT typeof(amount) FROM file_desc WHERE amount = 150").next(), true);
    QVERIFY(accepted("per_inf_data", "temporary", 1));
    QVERIFY(!accepted("per_inf_data", "temporary", 2));
}

void SchemaTest::countersNumberTheRows() {
    runQuery(db, "INSERT INTO pt_sh (file_num) VALUES ('1')");
    runQuery(db, "INSERT INTO pt_sh (file_num) VALUES ('2')");
    runQuery(db, "DELETE FROM pt_sh WHERE file_num = '2'");
    runQuery(db, "INSERT INTO pt_sh (file_num) VALUES ('3')");
    QSqlQuery numbers = runQuery(db, "SELECT po_num FROM pt_sh ORDER BY po_num");
    QVector<int> seen;
    while (numbers.next())
        seen << numbers.value(0).toInt();
    // A number once handed out is never handed out again.
    QCOMPARE(seen, (QVector<int>{1, 3}));
}

void SchemaTest::indexesCoverTheLookUpColumns() {
    QStringList added;
    for (const AddedIndexDef& index : addedIndexes())
        if (index.table != "payments")
            added << index.name;
    QStringList found;
    QStringList foundAdded;
    QSqlQuery query = runQuery(
        db, "SELECT m.tbl_name || '.' || i.name || (CASE WHEN x.\"unique\" THEN '!' ELSE '' END), "
            "x.name FROM sqlite_master m, pragma_index_list(m.tbl_name) x, "
            "pragma_index_info(x.name) i WHERE m.type = 'table' AND x.origin = 'c' "
            "AND m.tbl_name NOT IN ('payments', 'invoice_kinds') ORDER BY 1");
    while (query.next()) {
        if (added.contains(query.value(1).toString()))
            foundAdded << query.value(1).toString();
        else
            found << query.value(0).toString();
    }
    // The indexes added for speed come beside the tables' own, which stay as they were.
    foundAdded.removeDuplicates();
    QCOMPARE(foundAdded.size(), added.size());
    QCOMPARE(found, (QStringList{"file_desc.code", "inv_rep_data.file_p", "per_inf_data.file_num",
                                 "po_desc.code2", "po_desc.file_p", "po_descs.code2",
                                 "po_descs.file_p", "po_descs.po_num", "pt_sh.file_num"}));
    // The payments stand in tables of their own, found by patient, by invoice and by day.
    QCOMPARE(firstColumnOf("SELECT name FROM sqlite_master WHERE type = 'index' AND "
                           "tbl_name = 'payments' ORDER BY name",
                           db),
             QStringList({"payments_file_num", "payments_pay_day", "payments_po_num"}));
    // The counters are the tables' row keys, unique by nature.
    for (const char* table : {"per_inf_data", "po_desc", "po_descs", "file_desc", "inv_rep_data"})
        QVERIFY(
            runQuery(db, "SELECT 1 FROM pragma_table_info(?) WHERE name = 'id' AND pk = 1", {table})
                .next());
    QVERIFY(runQuery(db, "SELECT 1 FROM pragma_table_info('pt_sh') WHERE name = 'po_num' AND pk")
                .next());
}

void SchemaTest::textComparesInArabicOrderIgnoringCase() {
    runQuery(db, "INSERT INTO per_inf_data (file_num, pt_name) VALUES ('ab1', 'ياسر')");
    runQuery(db, "INSERT INTO per_inf_data (file_num, pt_name) VALUES ('c2', 'أحمد')");
    runQuery(db, "INSERT INTO per_inf_data (file_num, pt_name) VALUES ('d3', 'بدر')");
    QVERIFY(runQuery(db, "SELECT 1 FROM per_inf_data WHERE file_num = ?", {"AB1"}).next());
    QSqlQuery ordered = runQuery(db, "SELECT pt_name FROM per_inf_data ORDER BY pt_name");
    QStringList names;
    while (ordered.next())
        names << ordered.value(0).toString();
    QCOMPARE(names, (QStringList{"أحمد", "بدر", "ياسر"}));
}

QTEST_MAIN(SchemaTest)
#include "test_schema.moc"
