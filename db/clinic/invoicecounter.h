#pragma once

#include <QSqlDatabase>
#include <QStringList>

// Invoice numbers on a server come from one counter row, written in the save's own transaction:
// a refused or rolled-back save takes no number, and a crash of the server leaves none unused (a
// sequence's numbers are neither given back nor logged one by one). A file's counter of pt_sh
// is such a row already.

// The counter's table and its row, for a new server database.
QStringList createInvoiceCounterStatements();
// Gives a server database made by an earlier version its counter, going on after the highest
// number its invoices or their sequence reached. Its own transaction; a failure raises AppError.
void addInvoiceCounter(QSqlDatabase& db);
// The last number given (by the sequence in a database of an earlier version), and setting it,
// for a copy.
qint64 invoiceCounter(const QSqlDatabase& db);
void setInvoiceCounter(const QSqlDatabase& db, qint64 value);
