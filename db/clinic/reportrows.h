#pragma once

#include "db/engine/rowsource.h"
#include "db/upkeep/schema.h"

#include <memory>

// The rows of the clinic's reports, read from the database file at the path. A query the engine
// refuses raises its error.

// The one patient file that the personal information sheet prints.
std::unique_ptr<RowSource> patientSheetRows(const QString& path, const QString& fileNumber);
// One row per nationality and temporary flag; files without a nationality count 0.
std::unique_ptr<RowSource> nationalityCountRows(const QString& path);

// The invoices of one day ("DD/MM/YYYY"), month ("MM/YYYY") or year ("YYYY"), as the invoice
// screen filed them.
enum class ReportPeriod { Day, Month, Year };
std::unique_ptr<RowSource> periodInvoiceRows(const QString& path, ReportPeriod period,
                                             const QString& text);

// The statements behind those rows (one value: the period's text), for a look at their plans.
QString periodInvoiceQuery(ReportPeriod period, Engine engine = Engine::File);
QString nationalityCountQuery(Engine engine = Engine::File);

// One invoice with its patient and its lines, numbered in the order they were entered. The
// number is compared as the database compares it with po_num.
RowSet invoiceReportRows(const QString& path, const QVariant& invoiceNumber);

// The columns those queries name themselves: the invoice line's number from 1, and the count of
// the nationality's files.
inline const QString kLineNumberColumn = QStringLiteral("xxx");
inline const QString kPatientCountColumn = QStringLiteral("pt_count");
