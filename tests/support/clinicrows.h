#pragma once

#include <QSqlDatabase>
#include <QStringList>
#include <QVariantMap>

// Rows of a clinic's database written and read straight through the engine, beside the screens:
// what earlier work at the clinic left, and what the program stored. Each takes the database that
// the settings name unless given another.

QSqlDatabase clinicDatabase();

// A patient file with the given fields (column to value); the fields not given stay null.
void addPatient(const QVariantMap& fields, const QSqlDatabase& db = clinicDatabase());
void addProcedure(const QString& code, const QString& description, int amount,
                  const QSqlDatabase& db = clinicDatabase());
// An invoice filed under the month and year of its date, as the invoice screen files it; gives
// back its number.
int addInvoice(const QString& fileNumber, const QString& date, int amount, int due,
               const QSqlDatabase& db = clinicDatabase());
// A line of a saved invoice, under that invoice's file number.
void addInvoiceLine(int invoice, const QString& code, const QString& description, int amount,
                    const QSqlDatabase& db = clinicDatabase());

// Makes the engine refuse every such operation (INSERT, UPDATE, DELETE) on the table with the
// given text, as a locked or failing file would, until the writes are allowed again.
void failWritesTo(const QString& table, const QString& operation, const QString& engineText);
void allowWritesTo(const QString& table);

// Takes the folded names of the patient search away, as a database of an earlier version is.
void dropSearchKeys(const QSqlDatabase& db = clinicDatabase());
// The first value of a query; invalid when it gives no row.
QVariant valueIn(const QString& sql, const QVariantList& values = {},
                 const QSqlDatabase& db = clinicDatabase());
int countOf(const QString& table, const QSqlDatabase& db = clinicDatabase());
// The rows of a query, each as its values joined with "|".
QStringList rowsOf(const QString& sql, const QSqlDatabase& db = clinicDatabase());
// The first value of every row of a query.
QStringList firstColumnOf(const QString& sql, const QSqlDatabase& db = clinicDatabase());
