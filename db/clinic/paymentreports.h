#pragma once

#include "db/clinic/reportrows.h"
#include "db/engine/rowsource.h"

#include <memory>

// The rows of the two reports on the money received, read from the database file at the path.

// Every payment of one day ("DD/MM/YYYY"), month ("MM/YYYY") or year ("YYYY") in the order it
// was taken: pay_date, po_num, file_num, pt_name, kind, amount, and the amount again under the
// column of how it came in (cash_amount, card_amount, transfer_amount, cheque_amount; a clinic's
// own kind or one stored before kinds said how money came in under other_amount; carried_amount;
// 0 under the others), which the report's footer sums into the totals per kind. A period typed only
// in part matches nothing.
std::unique_ptr<RowSource> cashBookRows(const QString& path, ReportPeriod period,
                                        const QString& text);
QString cashBookQuery();
// The cash book's columns beside the invoice's and the patient's.
namespace CashBookColumns {
inline const QString kDate = QStringLiteral("pay_date");
inline const QString kKind = QStringLiteral("kind");
inline const QString kAmount = QStringLiteral("amount");
inline const QString kCash = QStringLiteral("cash_amount");
inline const QString kCard = QStringLiteral("card_amount");
inline const QString kTransfer = QStringLiteral("transfer_amount");
inline const QString kCheque = QStringLiteral("cheque_amount");
inline const QString kOther = QStringLiteral("other_amount");
inline const QString kCarriedOver = QStringLiteral("carried_amount");
} // namespace CashBookColumns
// The first and last day key ("YYYY-MM-DD") of the period the text names.
std::pair<QString, QString> cashBookDays(ReportPeriod period, const QString& text);

// One patient's account: every invoice of the file number (its date, number, lines' total and
// amount) and every payment on them (date, kind, amount), in date order, with the running
// balance. Columns: entry_date, po_num, entry, lines_total, charged, paid, change, balance.
// Where an invoice's payments do not add up to its amount less its net due (a net due changed
// in a way that recorded no payment), a last row says so and makes up the difference, so that
// the balance at the end is always the sum of the patient's net dues.
std::unique_ptr<RowSource> statementRows(const QString& path, const QString& fileNumber);
QString statementQuery();
namespace StatementColumns {
inline const QString kDate = QStringLiteral("entry_date");
inline const QString kEntry = QStringLiteral("entry");
inline const QString kLinesTotal = QStringLiteral("lines_total");
inline const QString kCharged = QStringLiteral("charged");
inline const QString kPaid = QStringLiteral("paid");
inline const QString kChange = QStringLiteral("change");
inline const QString kBalance = QStringLiteral("balance");
} // namespace StatementColumns
// The patient's name as the reports show it: that of the first file with the number.
QString patientName(const QString& path, const QString& fileNumber);
