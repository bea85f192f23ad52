#include "support/clinicrows.h"
#include "support/jetclinic.h"
#include "support/pgserver.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/mainwindow.h"
#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "app/startup.h"
#include "core/apperror.h"
#include "db/clinic/searchkeys.h"
#include "db/engine/connection.h"
#include "db/upkeep/jetimport.h"
#include "db/upkeep/schema.h"
#include "screens/screens.h"
#include "settings/appsettings.h"
#include "settings/settingsstore.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

namespace {

const QString kNull = "(null)";

struct Run {
    int exitCode;
    QString told;
};

Run korvelCopy(const QStringList& arguments) {
    QProcess korvel;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    korvel.setProcessEnvironment(environment);
    korvel.start(KORVEL_EXE, QStringList{"--copy-database"} + arguments);
    korvel.waitForFinished(120000);
    return {korvel.exitCode(), QString::fromUtf8(korvel.readAllStandardError())};
}

QString shown(const QVariant& value) {
    if (value.isNull())
        return kNull;
    return value.typeId() == QMetaType::Bool ? QString::number(value.toInt()) : value.toString();
}

// What the new database must hold for a table of the Jet file: its rows column for column, and
// for a file of the older layout what the upgrade gives the columns it lacks.
QStringList expectedRows(const QList<JetTable>& tables, const TableDef& def) {
    QList<JetTable> all = tables;
    const JetTable* table = jetTableNamed(all, def.name);
    QStringList rows;
    for (qint64 i = 0; table && i < table->rowCount; ++i) {
        QStringList values;
        for (const ColumnDef& column : def.columns) {
            const bool held =
                std::any_of(table->columns.begin(), table->columns.end(),
                            [&](const JetColumn& c) { return c.name == column.name; });
            values << (held                       ? shown(jetValue(*table, i, column.name))
                       : column.name == "po_netd" ? "0"
                       : column.name == "id"      ? QString::number(i + 1)
                                                  : kNull);
        }
        rows << values.join("|");
    }
    rows.sort();
    return rows;
}

QStringList storedRows(const QSqlDatabase& db, const TableDef& def) {
    QStringList columns;
    for (const ColumnDef& column : def.columns)
        columns << column.name;
    QSqlQuery query = runQuery(db, "SELECT " + columns.join(", ") + " FROM " + def.name);
    QStringList rows;
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < columns.size(); ++i)
            values << (query.value(i).isNull() ? kNull : query.value(i).toString());
        rows << values.join("|");
    }
    rows.sort();
    return rows;
}

QByteArray digestOf(const QString& path) {
    return QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha256);
}

// The Jet file changed as a years-old file of another hand may be.
void alter(QList<JetTable>& tables, const QString& change) {
    JetTable* patients = jetTableNamed(tables, "per_inf_data");
    const auto rowWith = [patients](const QString& column, const QVariant& value) {
        int at = 0;
        while (patients->columns[at].name != column)
            ++at;
        patients->row = [row = patients->row, at, value](qint64 i) {
            QVariantList values = row(i);
            values.resize(qMax(values.size(), qsizetype(at + 1)));
            if (i == 0)
                values[at] = value;
            return values;
        };
    };
    if (change == "long name") {
        patients->columns[5].chars = 60;
        rowWith("pt_name", QString("عبدالرحمن بن عبدالعزيز بن محمد آل إبراهيم العتيبي"));
    } else if (change == "empty file number") {
        rowWith("file_num", QString(""));
    } else if (change == "extra column") {
        patients->columns << JetColumn{"email", JetType::Text, 30};
        rowWith("email", QString("a@b.example"));
    } else if (change == "missing table") {
        tables.removeIf([](const JetTable& t) { return t.name == "inv_rep_data"; });
    }
}

} // namespace

class JetImportTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY2(server_.failure().isEmpty(), qPrintable(server_.failure())); }
    void everyVariantIsCopiedExactly_data();
    void everyVariantIsCopiedExactly();
    void valuesTheSchemaCannotHoldAreListedFirst_data();
    void valuesTheSchemaCannotHoldAreListedFirst();
    void filesThatCannotBeCopiedCreateNothing_data();
    void filesThatCannotBeCopiedCreateNothing();
    void aCancelLeavesNothing();
    void aKillLeavesTheJetFileAndNoDatabase();
    void startUpOffersTheCopy_data();
    void startUpOffersTheCopy();
    void theDatabaseMenuOffersTheCopy();

  private:
    PgServer server_;
    int databases_ = 0;
};

void JetImportTest::everyVariantIsCopiedExactly_data() {
    QTest::addColumn<bool>("olderLayout");
    QTest::addColumn<bool>("arabic");
    QTest::addColumn<bool>("compressed");
    QTest::addColumn<bool>("toServer");
    QTest::newRow("English to a file") << false << false << true << false;
    QTest::newRow("Arabic to a file") << false << true << true << false;
    QTest::newRow("Arabic, plain text, to a server") << false << true << false << true;
    QTest::newRow("older layout to a file") << true << true << true << false;
    QTest::newRow("older layout to a server") << true << false << false << true;
}

void JetImportTest::everyVariantIsCopiedExactly() {
    QFETCH(bool, olderLayout);
    QFETCH(bool, arabic);
    QFETCH(bool, compressed);
    QFETCH(bool, toServer);
    TestEnv env;
    const QString jet = env.root() + "/korvel_data.mdb";
    JetClinic clinic;
    clinic.olderLayout = olderLayout;
    clinic.arabicNames = arabic;
    const QList<JetTable> tables = jetClinicTables(clinic);
    writeJetTables(jet, tables, compressed);
    const QByteArray before = digestOf(jet);
    QString target = env.root() + "/new.mdb";
    if (toServer) {
        const QString name = "jet" + QString::number(++databases_);
        QVERIFY(server_.createDatabase(name));
        target = server_.uri(name);
    }

    const Run run = korvelCopy({jet, target});
    QVERIFY2(run.exitCode == 0, qPrintable(run.told));
    QVERIFY2(run.told.contains("Copied 40 patient files and 90 invoices"), qPrintable(run.told));
    QCOMPARE(digestOf(jet), before);

    ScopedDatabase copy(target);
    for (const TableDef& def : schemaTables())
        QCOMPARE(storedRows(copy.db(), def), expectedRows(tables, def));
    // Every invoice's payment to date carried over; the numbers go on after the highest.
    QCOMPARE(valueIn("SELECT sum(amount) FROM payments", {}, copy.db()).toLongLong(),
             valueIn("SELECT sum(po_pri - po_netd) FROM pt_sh", {}, copy.db()).toLongLong());
    QCOMPARE(countOf("payments", copy.db()),
             valueIn("SELECT count(*) FROM pt_sh WHERE po_pri <> po_netd", {}, copy.db()).toInt());
    if (!toServer) {
        // The indexes and triggers, made after the rows, are those of a new database.
        const QString indexes = "SELECT name, sql FROM sqlite_master WHERE type IN ('index', "
                                "'trigger') ORDER BY name";
        ScopedDatabase fresh(env.createDatabase());
        QCOMPARE(rowsOf(indexes, copy.db()), rowsOf(indexes, fresh.db()));
        // The search keys made with the rows are those that the engine's own statements make.
        const QString keys = "SELECT id, quote(pt_name_f), quote(pt_name_fm) FROM "
                             "name_search_keys ORDER BY id";
        const QStringList made = rowsOf(keys, copy.db());
        fillSearchKeys(copy.db());
        QCOMPARE(made, rowsOf(keys, copy.db()));
    }
    // The patient search's folded names are there for every patient.
    QCOMPARE(countOf("name_search_keys", copy.db()), 40);
    runQuery(copy.db(), "INSERT INTO pt_sh (file_num, po_pri, po_netd) VALUES ('1000', 5, 0)");
    QCOMPARE(valueIn("SELECT max(po_num) FROM pt_sh", {}, copy.db()).toInt(), 121);
    runQuery(copy.db(), "INSERT INTO per_inf_data (file_num) VALUES ('2000')");
    QCOMPARE(valueIn("SELECT max(id) FROM per_inf_data", {}, copy.db()).toInt(), 48);
}

void JetImportTest::valuesTheSchemaCannotHoldAreListedFirst_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("listed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("text longer than its column")
        << "long name"
        << "per_inf_data, 1, pt_name: \"عبدالرحمن بن عبدالعزيز بن محمد آل إبراهيم العتيبي\" "
           "(longer than 40 characters)"
        << "SELECT pt_name FROM per_inf_data WHERE id = 1|عبدالرحمن بن عبدالعزيز بن محمد آل إبراهي";
    QTest::newRow("empty where refused")
        << "empty file number"
        << "per_inf_data, 1, file_num: \"\" (empty where the column does not take an empty text)"
        << "SELECT coalesce(file_num, '(null)') FROM per_inf_data WHERE id = 1|(null)";
    QTest::newRow("a column Korvel does not have")
        << "extra column"
        << "per_inf_data, 1, email: \"a@b.example\" (a column Korvel does not have)"
        << "SELECT count(*) FROM per_inf_data|40";
    QTest::newRow("a table missing") << "missing table"
                                     << "inv_rep_data, , : \"\" (the table is missing)"
                                     << "SELECT count(*) FROM inv_rep_data|0";
}

void JetImportTest::valuesTheSchemaCannotHoldAreListedFirst() {
    QFETCH(QString, change);
    QFETCH(QString, listed);
    QFETCH(QString, stored);
    TestEnv env;
    const QString jet = env.root() + "/korvel_data.mdb";
    const QString target = env.root() + "/new.mdb";
    QList<JetTable> tables = jetClinicTables({});
    alter(tables, change);
    writeJetTables(jet, tables);

    // Listed, and nothing made, until the user lets the copy adjust them.
    const Run refused = korvelCopy({jet, target});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.told.contains(listed), qPrintable(refused.told));
    QVERIFY(!QFile::exists(target) && !QFile::exists(target + ".new"));

    const Run adjusted = korvelCopy({jet, target, "--adjust-values"});
    QVERIFY2(adjusted.exitCode == 0, qPrintable(adjusted.told));
    ScopedDatabase copy(target);
    QCOMPARE(valueIn(stored.section('|', 0, 0), {}, copy.db()).toString(), stored.section('|', 1));
    const QString report = QString::fromUtf8(readFile(env.root() + "/korvel_import_report.csv"));
    QVERIFY2(report.startsWith("table,row,column,value,problem,stored\r\n\"" +
                               listed.section(',', 0, 0) + "\""),
             qPrintable(report));
}

void JetImportTest::filesThatCannotBeCopiedCreateNothing_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("told");
    QTest::newRow("another program's tables")
        << "other"
        << "is an Access database, but not the clinic's: it holds the tables customers";
    QTest::newRow("cut inside a page") << "cut"
                                       << "the file is cut short or damaged.";
    QTest::newRow("cut at a page") << "cut at page"
                                   << "the file is cut short or damaged.";
    QTest::newRow("pages overwritten") << "zeroed"
                                       << "the file is cut short or damaged.";
}

void JetImportTest::filesThatCannotBeCopiedCreateNothing() {
    QFETCH(QString, file);
    QFETCH(QString, told);
    TestEnv env;
    const QString jet = env.root() + "/old.mdb";
    const QString target = env.root() + "/new.mdb";
    if (file == "other") {
        writeJetTables(jet, {jetTable("customers", {{"name", JetType::Text, 20}}, {{"Smith"}})});
    } else {
        writeJetClinic(jet, {});
        QByteArray bytes = readFile(jet);
        if (file == "cut")
            bytes.truncate(bytes.size() / 2 + 100);
        else if (file == "cut at page")
            bytes.truncate(4096 * 20);
        else
            bytes.replace(4096 * 10, 4096 * 4, QByteArray(4096 * 4, '\0'));
        writeFile(jet, bytes);
    }
    const Run run = korvelCopy({jet, target});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.told.contains(told), qPrintable(run.told));
    QVERIFY(!QFile::exists(target) && !QFile::exists(target + ".new"));
}

void JetImportTest::aCancelLeavesNothing() {
    TestEnv env;
    const QString jet = env.root() + "/old.mdb";
    const QString target = env.root() + "/new.mdb";
    // Enough lines that the rows read ahead wait for the writing when the cancel comes.
    JetClinic clinic;
    clinic.invoices = 2000;
    clinic.lines = 12000;
    writeJetClinic(jet, clinic);
    const auto cancelHalfWay = [](qint64 done, qint64 total) { return done < total / 2; };
    try {
        importJetDatabase(jet, target, cancelHalfWay, {});
        QFAIL("the copy was not cancelled");
    } catch (const AppError& error) {
        QCOMPARE(error.number(), int(ErrorNumber::DialogCancelled));
    }
    QVERIFY(!QFile::exists(target) && !QFile::exists(target + ".new"));
}

void JetImportTest::aKillLeavesTheJetFileAndNoDatabase() {
    TestEnv env;
    const QString jet = env.root() + "/old.mdb";
    const QString target = env.root() + "/new.mdb";
    JetClinic busy;
    busy.patients = 4000;
    busy.invoices = 30000;
    writeJetClinic(jet, busy);
    const QByteArray before = digestOf(jet);

    QProcess korvel;
    korvel.setReadChannel(QProcess::StandardError);
    korvel.start(KORVEL_EXE, {"--copy-database", jet, target});
    QString told;
    while (!told.contains("30 %") && korvel.waitForReadyRead(60000))
        told += QString::fromUtf8(korvel.readAllStandardError());
    QVERIFY2(told.contains("30 %"), qPrintable(told));
    korvel.kill();
    korvel.waitForFinished();

    QCOMPARE(digestOf(jet), before);
    QVERIFY(!QFile::exists(target));
    // What the killed copy left under its working name does not stand in the way of the next.
    const Run again = korvelCopy({jet, target});
    QVERIFY2(again.exitCode == 0, qPrintable(again.told));
}

void JetImportTest::startUpOffersTheCopy_data() {
    QTest::addColumn<QString>("answer");
    QTest::newRow("Yes: copied") << "Yes";
    QTest::newRow("No: nothing changes") << "No";
    QTest::newRow("Yes, then Cancel: nothing changes") << "Cancel";
}

void JetImportTest::startUpOffersTheCopy() {
    QFETCH(QString, answer);
    const bool yes = answer == "Yes";
    TestEnv env;
    const QString directory = env.makeDir("clinic");
    const QString database = directory + "/korvel_data.mdb";
    JetClinic clinic;
    clinic.arabicNames = true;
    writeJetClinic(database, clinic);
    const QByteArray before = digestOf(database);
    AppSettings().setDbPath(directory);
    WriteAllSettings(AppSettings());
    AppSettings() = AppSettingsRecord();

    env.dialogs.expectQuestion(
        database + " is the earlier program's database.\r\nKorvel can copy its patients, "
                   "procedures and invoices into a new Korvel database, korvel_data.mdb in the "
                   "same folder, and leaves the earlier file unchanged under the name "
                   "korvel_data_jet.mdb.\r\nCopy it now?",
        answer == "No" ? Dialogs::Answer::No : Dialogs::Answer::Yes);
    if (answer == "Cancel") {
        env.dialogs.cancelProgressAt(2);
        env.dialogs.expectMessage("The copy was stopped: nothing was copied, nothing changed.");
    }
    if (yes)
        env.dialogs.expectMessage(
            "The earlier program's database was copied into a new Korvel database:\r\n40 patient "
            "files and 90 invoices (325 rows); the counts and the yearly sums are the same on "
            "both sides.\r\nThe earlier file is kept unchanged as " +
            directory + "/korvel_data_jet.mdb.");
    QCOMPARE(StartUp(AppSettings()), yes);
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    if (!yes) {
        QCOMPARE(digestOf(database), before);
        QCOMPARE(QDir(directory).entryList(QDir::Files), QStringList{"korvel_data.mdb"});
        return;
    }
    QCOMPARE(digestOf(directory + "/korvel_data_jet.mdb"), before);
    QCOMPARE(AppSettings().databaseFilePath, database);
    QCOMPARE(valueIn("SELECT pt_name FROM per_inf_data WHERE id = 1").toString(), "محمد نورة");
    QCOMPARE(countOf("po_descs"), 180);
}

void JetImportTest::theDatabaseMenuOffersTheCopy() {
    TestEnv env;
    env.createDatabase();
    registerScreens(AppSettings());
    auto* window = qobject_cast<MainWindow*>(Screens::get(Screen::Main));
    const QString directory = env.makeDir("earlier");
    // A file of the earlier program's under the name the new database takes already there: the
    // kept name moves on.
    writeJetClinic(directory + "/korvel_data.mdb", {});
    writeFile(directory + "/korvel_data_jet.mdb", "another file");

    env.dialogs.expectQuestion("Are you sure you want to change the Database Directory",
                               Dialogs::Answer::Yes, Dialogs::Icon::Critical);
    env.dialogs.expectOpenFile("korvel_data.mdb (korvel_data.mdb)|korvel_data.mdb",
                               directory + "/korvel_data.mdb");
    env.dialogs.expectQuestion(
        directory + "/korvel_data.mdb is the earlier program's database.\r\nKorvel can copy its "
                    "patients, procedures and invoices into a new Korvel database, "
                    "korvel_data.mdb in the same folder, and leaves the earlier file unchanged "
                    "under the name korvel_data_jet_2.mdb.\r\nCopy it now?",
        Dialogs::Answer::Yes);
    env.dialogs.expectMessage(
        "The earlier program's database was copied into a new Korvel database:\r\n40 patient "
        "files and 90 invoices (325 rows); the counts and the yearly sums are the same on both "
        "sides.\r\nThe earlier file is kept unchanged as " +
        directory + "/korvel_data_jet_2.mdb.");
    trigger(window, "mnuDatabase");
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QCOMPARE(AppSettings().dbpath, directory);
    QCOMPARE(readFile(directory + "/korvel_data_jet.mdb"), QByteArray("another file"));
    QCOMPARE(countOf("pt_sh"), 90);
}

QTEST_MAIN(JetImportTest)
#include "test_jetimport.moc"
