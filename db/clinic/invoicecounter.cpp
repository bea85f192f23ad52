#include "db/clinic/invoicecounter.h"

#include "db/engine/connection.h"
#include "db/engine/statements.h"

namespace {

// Two desks upgrading the same database at once take turns.
constexpr int kUpgradeLock = 30;

bool hasCounter(const QSqlDatabase& db) {
    return Statements(db)
        .value("SELECT to_regclass('public.invoice_counter') IS NOT NULL")
        .toBool();
}

// Where an earlier version numbered its invoices.
const char* const kSequenceValue =
    "coalesce(pg_sequence_last_value(pg_get_serial_sequence('pt_sh', 'po_num')::regclass), 0)";

} // namespace

QStringList createInvoiceCounterStatements() {
    return {"CREATE TABLE invoice_counter (last_po_num BIGINT NOT NULL)",
            "INSERT INTO invoice_counter (last_po_num) VALUES (0)"};
}

void addInvoiceCounter(QSqlDatabase& db) {
    if (hasCounter(db))
        return;
    inTransaction(db, [&] {
        Statements statements(db);
        statements.rows("SELECT pg_advisory_xact_lock(" + QString::number(kUpgradeLock) + ")");
        statements.runOnce(
            "CREATE TABLE IF NOT EXISTS invoice_counter (last_po_num BIGINT NOT NULL)");
        statements.write(
            QString("INSERT INTO invoice_counter (last_po_num) SELECT greatest((SELECT "
                    "coalesce(max(po_num), 0) FROM pt_sh), %1) WHERE NOT EXISTS "
                    "(SELECT 1 FROM invoice_counter)")
                .arg(kSequenceValue));
    });
}

qint64 invoiceCounter(const QSqlDatabase& db) {
    return Statements(db)
        .value(hasCounter(db) ? QString("SELECT last_po_num FROM invoice_counter")
                              : QString("SELECT ") + kSequenceValue)
        .toLongLong();
}

// The table's own sequence goes with it, as the program's saves keep it.
void setInvoiceCounter(const QSqlDatabase& db, qint64 value) {
    Statements statements(db);
    statements.write("UPDATE invoice_counter SET last_po_num = ?", {value});
    statements.rows("SELECT setval(pg_get_serial_sequence('pt_sh', 'po_num')::regclass, ?, ?)",
                    {qMax<qint64>(value, 1), value > 0});
}
