#include "clinicrows.h"

#include "app/runsettings.h"
#include "db/engine/connection.h"

#include <QSqlRecord>

QSqlDatabase clinicDatabase() {
    return openDatabase(AppSettings().databaseLocation());
}

void addPatient(const QVariantMap& fields, const QSqlDatabase& db) {
    const QStringList marks(fields.size(), "?");
    runQuery(db,
             "INSERT INTO per_inf_data (" + fields.keys().join(", ") + ") VALUES (" +
                 marks.join(", ") + ")",
             fields.values());
}

void addProcedure(const QString& code, const QString& description, int amount,
                  const QSqlDatabase& db) {
    runQuery(db, "INSERT INTO file_desc (code, descrip, amount) VALUES (?, ?, ?)",
             {code, description, amount});
}

int addInvoice(const QString& fileNumber, const QString& date, int amount, int due,
               const QSqlDatabase& db) {
    return runQuery(db,
                    "INSERT INTO pt_sh (file_num, po_date, po_pri, po_netd, fmon, fyear) "
                    "VALUES (?, ?, ?, ?, ?, ?)",
                    {fileNumber, date, amount, due, date.right(7), date.right(4)})
        .lastInsertId()
        .toInt();
}

void addInvoiceLine(int invoice, const QString& code, const QString& description, int amount,
                    const QSqlDatabase& db) {
    runQuery(db,
             "INSERT INTO po_descs (po_num, code2, descr2, amount2, file_p) "
             "SELECT po_num, ?, ?, ?, file_num FROM pt_sh WHERE po_num = ?",
             {code, description, amount, invoice});
}

void failWritesTo(const QString& table, const QString& operation, const QString& engineText) {
    const QString trigger = "refuse_" + table;
    if (!onServer(clinicDatabase())) {
        runQuery(clinicDatabase(), "CREATE TRIGGER " + trigger + " BEFORE " + operation + " ON " +
                                       table + " BEGIN SELECT RAISE(ABORT, '" + engineText +
                                       "'); END");
        return;
    }
    runQuery(clinicDatabase(), "CREATE FUNCTION " + trigger +
                                   "() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE "
                                   "EXCEPTION '" +
                                   engineText + "'; END $$");
    runQuery(clinicDatabase(), "CREATE TRIGGER " + trigger + " BEFORE " + operation + " ON " +
                                   table + " FOR EACH ROW EXECUTE FUNCTION " + trigger + "()");
}

void allowWritesTo(const QString& table) {
    if (!onServer(clinicDatabase())) {
        runQuery(clinicDatabase(), "DROP TRIGGER refuse_" + table);
        return;
    }
    runQuery(clinicDatabase(), "DROP FUNCTION refuse_" + table + " CASCADE");
}

void dropSearchKeys(const QSqlDatabase& db) {
    if (onServer(db)) {
        runQuery(db, "DROP FUNCTION name_search_keys_keep CASCADE");
    } else {
        for (const char* trigger : {"insert", "update", "delete"})
            runQuery(db, QString("DROP TRIGGER name_search_keys_") + trigger);
    }
    runQuery(db, "DROP TABLE name_search_keys");
}

QVariant valueIn(const QString& sql, const QVariantList& values, const QSqlDatabase& db) {
    QSqlQuery query = runQuery(db, sql, values);
    return query.next() ? query.value(0) : QVariant();
}

int countOf(const QString& table, const QSqlDatabase& db) {
    return valueIn("SELECT count(*) FROM " + table, {}, db).toInt();
}

QStringList rowsOf(const QString& sql, const QSqlDatabase& db) {
    QStringList rows;
    QSqlQuery query = runQuery(db, sql);
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << query.value(i).toString();
        rows << values.join("|");
    }
    return rows;
}

QStringList firstColumnOf(const QString& sql, const QSqlDatabase& db) {
    QStringList values;
    QSqlQuery query = runQuery(db, sql);
    while (query.next())
        values << query.value(0).toString();
    return values;
}
