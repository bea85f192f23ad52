#pragma once

#include "db/engine/rowsource.h"

#include <optional>

struct AppSettingsRecord;
class QWidget;
struct Report;

// Printing one saved invoice through the report "po_rep".

// Reads the invoice whose number is given (blanks around it ignored): one row per line in the
// order the lines were stored, numbered from 1 in a column of its own, with the header, the
// patient's name and address and the amount paid repeated on every row; an invoice without lines
// gives one row with empty line columns and number 0. Then prepares "po_rep": margins, letterhead,
// and its labels filled from the first row. An unknown number shows "There is no invoice available
// to print!" and gives no rows. A number that is empty or not a number raises the database's syntax
// error.
RowSet PrepareInvoiceReport(const AppSettingsRecord& settings, const QString& invoiceNumber);

// Sets every label named like a column (letter case aside) to that column's value in the first
// row; the money columns (total, payments and net due) read "###,##0.00". Other labels stay as they
// are.
void fillLabelsFromFirstRow(Report& report, const RowSet& rows);

// Puts "X" into the payment-kind label (cash, credit or partial) of the kind the invoice
// was saved with and empties the other two; an invoice saved before kinds were kept shows none.
void markPaymentKind(Report& report, const std::optional<QString>& kind);

// Prepares the invoice and prints it to the default printer (or, with none, offers to save it as
// a PDF file), or shows it in a modal preview.
// False when there is no such invoice. Failures raise AppError.
bool PrintInvoice(const AppSettingsRecord& settings, const QString& invoiceNumber);
bool PreviewInvoice(const AppSettingsRecord& settings, const QString& invoiceNumber,
                    QWidget* parent = nullptr);
