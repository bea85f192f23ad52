#pragma once

#include <QSqlDatabase>
#include <QString>

// Creates the payment tables in a new file, inside the caller's transaction.
void createPaymentTables(const QSqlDatabase& db);

// Gives a file made before payments were kept its payment tables: every invoice already stored
// gets its payment to date (total minus net due) as one payment on the invoice's own date, of the
// kind "Carried over". One transaction, shown in a progress window when asked for; the sum of the
// payments is checked against the invoices' totals and net dues before it is committed. A file
// that has the tables is not touched. Throws the engine's error, or a failed check.
void addPaymentTables(QSqlDatabase& db, bool showProgress);
