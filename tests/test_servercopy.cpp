#include "support/clinicrows.h"
#include "support/pgserver.h"
#include "support/testenv.h"

#include "app/runsettings.h"
#include "core/apperror.h"
#include "db/clinic/invoicestore.h"
#include "db/clinic/payments.h"
#include "db/engine/connection.h"
#include "db/upkeep/databasecopy.h"
#include "db/upkeep/schema.h"
#include "upkeep/copydatabasemenu.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

// What a clinic's file holds after some years: Arabic and Latin names with apostrophes, empty
// and missing fields, invoices over two years, some still due, lines, payments (one beyond 32
// bits, and its refund) and a payment kind, and a last invoice deleted so that the counter stands
// above the highest number kept.
void fillClinic(const QSqlDatabase& db) {
    addPatient({{"file_num", "1"},
                {"pt_name", "O'Brien Seán"},
                {"pt_name_f", "O'Brien"},
                {"pt_nationality", "Irish"},
                {"temporary", 0},
                {"comm", ""}},
               db);
    addPatient({{"file_num", "2"},
                {"pt_name", "محمد عبد الله"},
                {"pt_name_f", "محمد"},
                {"pt_nationality", "مصري"},
                {"temporary", 1},
                {"mobileno", "0501234567"}},
               db);
    addProcedure("AB", "Consultation, first visit \"long\"", 150, db);
    addProcedure("C%", "Scan_50% off", 90, db);
    const int first = addInvoice("1", "28/12/2025", 240, 90, db);
    addInvoiceLine(first, "AB", "Consultation, first visit \"long\"", 150, db);
    addInvoiceLine(first, "C%", "Scan_50% off", 90, db);
    addInvoice("2", "02/01/2026", 150, 0, db);
    recordPayment(db, {first, "1", QDate(2025, 12, 28), 150, "Cash"});
    recordPayment(db, {first, "1", QDate(2026, 1, 5), 3000000000LL, "Credit"});
    recordPayment(db, {first, "1", QDate(2026, 1, 6), -3000000000LL, "Credit"});
    recordInvoiceKind(db, first, "Partial");
    const int last = addInvoice("2", "03/01/2026", 2147483647, 5, db);
    runQuery(db, "DELETE FROM pt_sh WHERE po_num = ?", {last});
}

QString keyOf(const TableDef& table) {
    for (const ColumnDef& column : table.columns)
        if (column.autoIncrement)
            return column.name;
    return QString();
}

// Every row of every table, in key order.
QStringList contentsOf(const QSqlDatabase& db) {
    QStringList all;
    for (const TableDef& table : schemaTables())
        all << table.name
            << rowsOf("SELECT * FROM " + table.name + " ORDER BY " + keyOf(table), db);
    all << rowsOf("SELECT * FROM payments ORDER BY id", db)
        << rowsOf("SELECT * FROM invoice_kinds ORDER BY po_num", db);
    return all;
}

int nextInvoiceNumber(QSqlDatabase db) {
    int number = 0;
    inTransaction(db, [&] {
        number = appendInvoiceWithLines(db, {"1", "04/01/2026", "01/2026", "2026", 10, 0});
    });
    return number;
}

bool serverHoldsTables(PgServer& server, const QString& database) {
    ScopedDatabase db(server.uri(database));
    return valueIn("SELECT to_regclass('per_inf_data') IS NOT NULL", {}, db.db()).toBool();
}

} // namespace

class ServerCopyTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void aFileGoesToTheServerAndBackUnchanged();
    void theServerKeepsTheFilesRulesForWhatIsStored();
    void nothingIsCopiedOverExistingDataOrAfterACancel();
    void anUnreachableServerIsNamedWithTheReason();
    void theCommandLineCopiesWithoutADisplay();
    void theMenuCopiesTheOpenDatabaseAndTellsHowItWent();

  private:
    PgServer server_;
    int databases_ = 0;
    QString newServerDatabase();
};

void ServerCopyTest::initTestCase() {
    QVERIFY2(server_.failure().isEmpty(), qPrintable(server_.failure()));
}

QString ServerCopyTest::newServerDatabase() {
    const QString name = "clinic" + QString::number(++databases_);
    if (!server_.createDatabase(name))
        QTest::qFail(qPrintable(server_.failure()), __FILE__, __LINE__);
    return server_.uri(name);
}

void ServerCopyTest::aFileGoesToTheServerAndBackUnchanged() {
    TestEnv env;
    const QString original = env.createDatabase();
    fillClinic(clinicDatabase());
    const QString onServer = newServerDatabase();
    const QString back = env.root() + "/back.mdb";

    const CopySummary there = copyDatabase(original, onServer, {});
    QCOMPARE(there.patients, 2);
    QCOMPARE(there.invoices, 2);
    copyDatabase(onServer, back, {});

    const QStringList expected = contentsOf(clinicDatabase());
    {
        ScopedDatabase server(onServer);
        QCOMPARE(contentsOf(server.db()), expected);
        QCOMPARE(nextInvoiceNumber(server.db()), 4);
    }
    ScopedDatabase copy(back);
    QCOMPARE(contentsOf(copy.db()), expected);
    QVERIFY(!QFile::exists(back + ".new"));
    // The next invoice gets the number it would have had in the original file.
    QCOMPARE(nextInvoiceNumber(copy.db()), 4);
    QCOMPARE(nextInvoiceNumber(clinicDatabase()), 4);
}

void ServerCopyTest::theServerKeepsTheFilesRulesForWhatIsStored() {
    TestEnv env;
    const QString onServer = newServerDatabase();
    copyDatabase(env.createDatabase(), onServer, {});
    ScopedDatabase server(onServer);
    QSqlDatabase& db = server.db();
    const auto refused = [&](const QString& sql) {
        try {
            runQuery(db, sql);
        } catch (const AppError& error) {
            return error.description();
        }
        return QString();
    };
    // Refused in the words the file uses, however long the field's name.
    QCOMPARE(refused("INSERT INTO per_inf_data (file_num, pt_nationality) "
                     "VALUES ('9', 'Saudi Arabian')"),
             "CHECK constraint failed: The field 'per_inf_data.pt_nationality' holds at most 12 "
             "characters");
    QCOMPARE(refused("INSERT INTO file_desc (code, descrip, amount) VALUES ('', 'x', 1)"),
             "CHECK constraint failed: Field 'file_desc.code' cannot be a zero-length string");
    QCOMPARE(refused("INSERT INTO pt_sh (file_num, po_pri) VALUES ('1', 2147483648)"),
             "CHECK constraint failed: The value in field 'pt_sh.po_pri' is not a whole number of "
             "32 bits");
    QCOMPARE(refused("INSERT INTO per_inf_data (file_num, temporary) VALUES ('9', 2)"),
             "CHECK constraint failed: The value in field 'per_inf_data.temporary' is not Yes or "
             "No");
    QCOMPARE(refused("INSERT INTO file_desc (code, descrip, amount) VALUES ('A', 'x', 2147483647)"),
             QString());
    // Arabic and Latin names compare as in the file: letter case aside.
    runQuery(db, "INSERT INTO per_inf_data (file_num, pt_name_f) VALUES ('7', 'Smith')");
    QCOMPARE(valueIn("SELECT count(*) FROM per_inf_data WHERE pt_name_f = 'SMITH'", {}, db).toInt(),
             1);
}

void ServerCopyTest::nothingIsCopiedOverExistingDataOrAfterACancel() {
    TestEnv env;
    const QString original = env.createDatabase();
    fillClinic(clinicDatabase());

    // A file that exists is never overwritten.
    const QString existing = env.root() + "/existing.mdb";
    writeFile(existing, "kept");
    QVERIFY_THROWS_EXCEPTION(AppError, copyDatabase(original, existing, {}));
    QCOMPARE(readFile(existing), QByteArray("kept"));

    // Neither is a server database that holds a clinic already.
    const QString onServer = newServerDatabase();
    copyDatabase(original, onServer, {});
    QVERIFY_THROWS_EXCEPTION(AppError, copyDatabase(original, onServer, {}));
    {
        ScopedDatabase server(onServer);
        QCOMPARE(countOf("pt_sh", server.db()), 2);
    }

    // A cancelled copy leaves nothing behind on either kind of target.
    const auto cancel = [](qint64, qint64) { return false; };
    const QString emptyServer = newServerDatabase();
    QVERIFY_THROWS_EXCEPTION(AppError, copyDatabase(original, emptyServer, cancel));
    QVERIFY(!serverHoldsTables(server_, emptyServer.section('/', 3).section('?', 0, 0)));
    const QString file = env.root() + "/cancelled.mdb";
    QVERIFY_THROWS_EXCEPTION(AppError, copyDatabase(original, file, cancel));
    QVERIFY(!QFile::exists(file));
    QVERIFY(!QFile::exists(file + ".new"));
}

void ServerCopyTest::anUnreachableServerIsNamedWithTheReason() {
    TestEnv env;
    const QString original = env.createDatabase();
    const QString nowhere = "postgresql://postgres@/clinic1?host=" + env.root() + "&port=1";
    try {
        copyDatabase(original, nowhere, {});
        QFAIL("a copy to a server that does not answer succeeded");
    } catch (const AppError& error) {
        QVERIFY2(error.description().startsWith("Could not reach the database clinic1 on " +
                                                env.root() + ":1 as postgres: "),
                 qPrintable(error.description()));
        QVERIFY(error.description().contains("No such file or directory"));
    }
}

void ServerCopyTest::theCommandLineCopiesWithoutADisplay() {
    TestEnv env;
    const QString original = env.createDatabase();
    fillClinic(clinicDatabase());
    const QString onServer = newServerDatabase();
    QProcess korvel;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    korvel.setProcessEnvironment(environment);

    korvel.start(KORVEL_EXE, {"--copy-database", original, onServer});
    QVERIFY(korvel.waitForFinished(60000));
    const QString told = QString::fromUtf8(korvel.readAllStandardError());
    QCOMPARE(korvel.exitCode(), 0);
    QVERIFY2(told.contains("Copied 2 patient files and 2 invoices"), qPrintable(told));

    // Copying again onto the same server database is refused with a reason and exit code 1.
    korvel.start(KORVEL_EXE, {"--copy-database", original, onServer});
    QVERIFY(korvel.waitForFinished(60000));
    QCOMPARE(korvel.exitCode(), 1);
    QVERIFY(QString::fromUtf8(korvel.readAllStandardError())
                .contains("The copy failed: The server database already holds"));

    korvel.start(KORVEL_EXE, {"--copy-database", original});
    QVERIFY(korvel.waitForFinished(60000));
    QCOMPARE(korvel.exitCode(), 2);
}

void ServerCopyTest::theMenuCopiesTheOpenDatabaseAndTellsHowItWent() {
    TestEnv env;
    env.createDatabase();
    fillClinic(clinicDatabase());
    const QString prompt =
        "Copy the database to a new file (its full path)\r\nor to a database on a "
        "PostgreSQL server (postgresql://user@host:5432/database):";
    const QString onServer = newServerDatabase();
    env.dialogs.expectInput(prompt, "Copy Database", onServer);
    env.dialogs.expectMessage("The database was copied to " + onServer +
                              ":\r\n2 patient files and 2 invoices (12 rows); the counts and the "
                              "yearly sums are the same on both sides.");
    copyDatabaseElsewhere(AppSettings(), nullptr);

    // Nothing asked for, nothing done; a cancel leaves nothing behind and is not a failure.
    env.dialogs.expectInput(prompt, "Copy Database", "  ");
    copyDatabaseElsewhere(AppSettings(), nullptr);
    const QString file = env.root() + "/copy.mdb";
    env.dialogs.expectInput(prompt, "Copy Database", file);
    env.dialogs.expectMessage("The copy was cancelled: nothing was copied.");
    env.dialogs.cancelProgressAt(1);
    copyDatabaseElsewhere(AppSettings(), nullptr);
    QVERIFY(!QFile::exists(file));
    QCOMPARE(env.log(), QString());

    // A refusal says why, and is logged.
    env.dialogs.expectInput(prompt, "Copy Database", onServer);
    env.dialogs.expectMessage(
        "Copy Database failed!\r\nThe server database already holds a clinic's tables.");
    copyDatabaseElsewhere(AppSettings(), nullptr);
    QCOMPARE(env.log(), "error in (CopyDatabase) : 3704 -> The server database already holds a "
                        "clinic's tables.\r\n");
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
}

QTEST_GUILESS_MAIN(ServerCopyTest)
#include "test_servercopy.moc"
