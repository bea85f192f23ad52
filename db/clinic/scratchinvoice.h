#pragma once

#include <QSqlDatabase>
#include <QVariant>

// The invoice being composed lives in two working tables: its lines in po_desc and its header in
// one inv_rep_data record. While no invoice screen is open both hold nothing. These statements
// run inside the caller's transaction, but for the leftovers' deletion, which is its own.

// Empties the scratch lines and deletes the scratch header (a null id: there is none).
void deleteScratch(const QSqlDatabase& db, const QVariant& headerId);

// What a program ended in the middle of an invoice left behind: every scratch line, and every
// scratch header but the newest, which is the one the open-file dialog has just stored.
void deleteLeftoverScratch(QSqlDatabase& db);

// Stores a scratch header for the patient, as the open-file dialog does; its id.
QVariant storeScratchHeader(const QSqlDatabase& db, const QString& fileNumber, const QString& name,
                            const QString& address);
// The sum of the scratch lines' amounts.
qint64 scratchTotal(const QSqlDatabase& db);
