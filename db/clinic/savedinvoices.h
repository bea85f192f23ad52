#pragma once

#include <QString>

// The saved invoices' table and the columns by which the screens find an invoice and correct
// what was paid on it.
namespace SavedInvoices {
inline const QString kTable = QStringLiteral("pt_sh");
inline const QString kNumber = QStringLiteral("po_num");
inline const QString kFileNumber = QStringLiteral("file_num");
inline const QString kDate = QStringLiteral("po_date");
inline const QString kAmount = QStringLiteral("po_pri");
inline const QString kNetDue = QStringLiteral("po_netd");
// The month and year texts by which the periodic reports select an invoice.
inline const QString kMonth = QStringLiteral("fmon");
inline const QString kYear = QStringLiteral("fyear");
} // namespace SavedInvoices
