#pragma once

#include <QString>
#include <functional>

// Copies a clinic's database between a file and a PostgreSQL server (either way, or file to
// file), in one transaction on the target, keeping every row, invoice number and counter. Before
// it commits, the row counts of every table, per year the count and the sums of po_pri and
// po_netd, and the sum of the payments must be the same on both sides. A failure raises AppError
// and leaves no copy behind. The progress is told as rows copied of all rows, and may cancel the
// copy by returning false (AppError numbered ErrorNumber::DialogCancelled).
using CopyProgress = std::function<bool(qint64 done, qint64 total)>;

struct CopySummary {
    qint64 patients = 0;
    qint64 invoices = 0;
    qint64 rows = 0;

    // "N patient files and M invoices (R rows); the counts ... are the same on both sides."
    QString text() const;
};

// Why the copy refuses its ends before it starts (a server address that holds a password, which
// is never taken); empty when it does not. copyDatabase refuses them with AppError too.
QString refusedCopyEnds(const QString& from, const QString& to);

CopySummary copyDatabase(const QString& from, const QString& to, const CopyProgress& progress);

// Restores a backup from outside: its rows, and nothing else of it, are copied into a new file at
// `to` that the program builds with the backup's layout, checked as above. A backup whose tables,
// columns or types are not the program's is refused before anything is written, naming what is
// wrong. A failure raises AppError and leaves no file at `to`.
void copyBackup(const QString& backup, const QString& to);
