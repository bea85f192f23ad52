#include "db/upkeep/databasecopy.h"

#include "core/apperror.h"
#include "db/engine/connection.h"
#include "db/engine/serveraddress.h"
#include "db/engine/serverdatabase.h"
#include "db/engine/statements.h"
#include "db/upkeep/copyends.h"
#include "db/upkeep/schema.h"

#include <QCoreApplication>
#include <QMap>
#include <QSqlRecord>
#include <algorithm>

namespace {

constexpr int kCopyFailed = 3704;
// Rows per insert statement: few statements, and well under a server's limit of bound values.
constexpr int kRowsPerInsert = 200;

// A table as the copy carries it: its rows in the order of its key, and the key's counter where
// the table numbers its rows itself.
struct CopiedTable {
    QString name;
    QString key;
    bool counted;
};

QList<CopiedTable> allCopiedTables() {
    QList<CopiedTable> tables;
    for (const TableDef& table : schemaTables())
        for (const ColumnDef& column : table.columns)
            if (column.autoIncrement)
                tables.append({table.name, column.name, true});
    // The money received, beside the clinic's own tables.
    tables.append({"payments", "id", true});
    tables.append({"invoice_kinds", "po_num", false});
    return tables;
}

// The tables that the source holds: a backup of the older layout lacks some of them.
QList<CopiedTable> copiedTables(QSqlDatabase& source) {
    const QStringList present = source.tables();
    QList<CopiedTable> tables;
    for (const CopiedTable& table : allCopiedTables())
        if (present.contains(table.name, Qt::CaseInsensitive))
            tables.append(table);
    return tables;
}

QStringList columnNames(QSqlDatabase& db, const QString& table) {
    const QSqlRecord record = db.record(table);
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    return names;
}

qint64 rowCount(QSqlDatabase& db, const QString& table) {
    return Statements(db).value("SELECT count(*) FROM " + table).toLongLong();
}

QString insertStatement(const QString& table, const QStringList& columns, int rows) {
    const QString row = "(" + QStringList(int(columns.size()), "?").join(", ") + ")";
    return "INSERT INTO " + table + " (" + columns.join(", ") + ") VALUES " +
           QStringList(rows, row).join(", ");
}

class Copier {
  public:
    Copier(CopyEnd& source, CopyEnd& target, const CopyProgress& progress, qint64 total)
        : source_(source), target_(target), progress_(progress), total_(total) {}

    void copyTable(const CopiedTable& table) {
        const QStringList columns = columnNames(source_.db(), table.name);
        // The older layout's invoice lines have no counter yet: they go in their stored order.
        const QString order =
            columns.contains(table.key, Qt::CaseInsensitive) ? table.key : "rowid";
        QSqlQuery rows = runQuery(source_.db(), "SELECT " + columns.join(", ") + " FROM " +
                                                    table.name + " ORDER BY " + order);
        QVariantList values;
        int pending = 0;
        while (rows.next()) {
            for (int i = 0; i < columns.size(); ++i)
                values << rows.value(i);
            if (++pending == kRowsPerInsert)
                flush(insertStatement(table.name, columns, pending), values, pending);
        }
        flush(insertStatement(table.name, columns, pending), values, pending);
        if (table.counted)
            target_.setCounter(table.name, table.key, source_.counter(table.name, table.key));
    }

  private:
    void flush(const QString& statement, QVariantList& values, int& pending) {
        if (pending == 0)
            return;
        Statements(target_.db()).write(statement, values);
        done_ += pending;
        values.clear();
        pending = 0;
        if (progress_ && !progress_(done_, total_))
            throw AppError(ErrorNumber::DialogCancelled, "The copy was cancelled.");
    }

    CopyEnd& source_;
    CopyEnd& target_;
    const CopyProgress& progress_;
    qint64 total_;
    qint64 done_ = 0;
};

// Per year: the invoices, and the sums of their amounts and of what is still due.
QMap<QString, QString> yearlyTotals(QSqlDatabase& db, const QString& due) {
    QMap<QString, QString> totals;
    for (const Row& row : Statements(db).rows("SELECT fyear, count(*), sum(po_pri), " + due +
                                              " FROM pt_sh GROUP BY fyear")) {
        const QString year = row[0].isNull() ? "(no year)" : row[0].toString();
        totals.insert(year, QString("%1 invoices, %2 billed, %3 due")
                                .arg(row[1].toLongLong())
                                .arg(row[2].toLongLong())
                                .arg(row[3].toLongLong()));
    }
    return totals;
}

qint64 paymentsTotal(QSqlDatabase& db) {
    return Statements(db).value("SELECT coalesce(sum(amount), 0) FROM payments").toLongLong();
}

void checkSameContents(CopyEnd& source, CopyEnd& target) {
    const QList<CopiedTable> tables = copiedTables(source.db());
    for (const CopiedTable& table : tables) {
        const qint64 from = rowCount(source.db(), table.name);
        const qint64 to = rowCount(target.db(), table.name);
        if (from != to)
            throw AppError(kCopyFailed, QString("The copy of %1 holds %2 rows instead of %3.")
                                            .arg(table.name)
                                            .arg(to)
                                            .arg(from));
    }
    const QString due = columnNames(source.db(), "pt_sh").contains("po_netd", Qt::CaseInsensitive)
                            ? "sum(po_netd)"
                            : "0";
    if (yearlyTotals(source.db(), due) != yearlyTotals(target.db(), due))
        throw AppError(kCopyFailed, "The yearly sums of the invoices differ after the copy.");
    const bool withPayments = std::any_of(
        tables.begin(), tables.end(), [](const CopiedTable& t) { return t.name == "payments"; });
    if (withPayments && paymentsTotal(source.db()) != paymentsTotal(target.db()))
        throw AppError(kCopyFailed, "The sum of the payments differs after the copy.");
}

CopySummary copyInto(CopyEnd& source, CopyEnd& target, const CopyProgress& progress) {
    CopySummary summary;
    const QList<CopiedTable> tables = copiedTables(source.db());
    for (const CopiedTable& table : tables)
        summary.rows += rowCount(source.db(), table.name);
    summary.patients = rowCount(source.db(), "per_inf_data");
    summary.invoices = rowCount(source.db(), "pt_sh");
    Copier copier(source, target, progress, summary.rows);
    inTransaction(target.db(), [&] {
        target.createTables();
        for (const CopiedTable& table : tables)
            copier.copyTable(table);
        checkSameContents(source, target);
    });
    return summary;
}

CopySummary copyBetween(CopyEnd& source, CopyEnd& target, const CopyProgress& progress) {
    try {
        // The source is read in one transaction too, so that what is copied and what is checked
        // are the same rows even while a desk keeps working on it.
        CopySummary summary;
        inTransaction(source.db(), [&] {
            source.holdSnapshot();
            summary = copyInto(source, target, progress);
        });
        target.complete();
        return summary;
    } catch (...) {
        target.abandon();
        throw;
    }
}

} // namespace

QString CopySummary::text() const {
    return QCoreApplication::translate("Database",
                                       "%1 patient files and %2 invoices (%3 rows); the counts "
                                       "and the yearly sums are the same on both sides.")
        .arg(patients)
        .arg(invoices)
        .arg(rows);
}

QString refusedCopyEnds(const QString& from, const QString& to) {
    for (const QString& end : {from, to}) {
        if (!isServerUri(end))
            continue;
        if (const QString unusable = unusableServerAddress(end); !unusable.isEmpty())
            return unusable;
    }
    return QString();
}

CopySummary copyDatabase(const QString& from, const QString& to, const CopyProgress& progress) {
    if (const QString refused = refusedCopyEnds(from, to); !refused.isEmpty())
        throw AppError(kCopyFailed, refused);
    const auto source = openCopySource(from);
    const auto target = openCopyTarget(to);
    return copyBetween(*source, *target, progress);
}

void copyBackup(const QString& backup, const QString& to) {
    const auto source = openBackupSource(backup);
    const auto target = openBackupTarget(to, backup);
    copyBetween(*source, *target, CopyProgress());
}
