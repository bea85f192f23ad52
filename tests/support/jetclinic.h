#pragma once

#include "support/jetwriter.h"

// The earlier program's file of a small clinic, as the Jet writer stores it: the six tables (or
// the older layout's five), a few years of invoices, Arabic or English names, null and empty
// texts, a counter with gaps, a row that was updated and moved, every table over several pages.
struct JetClinic {
    bool olderLayout = false;
    bool arabicNames = false;
    int patients = 40;
    int invoices = 90;
    // The invoices' lines in all, spread evenly over them; two to an invoice when not given.
    qint64 lines = -1;
};

QList<JetTable> jetClinicTables(const JetClinic& clinic);
JetTable* jetTableNamed(QList<JetTable>& tables, const QString& name);
// A value of a table's row by column name.
QVariant jetValue(const JetTable& table, qint64 row, const QString& column);

// Writes the clinic's tables with few rows to a page, so that each spans several pages.
void writeJetClinic(const QString& path, const JetClinic& clinic, bool compressText = true);
void writeJetTables(const QString& path, const QList<JetTable>& tables, bool compressText = true);
