#pragma once

#include <QString>

// The header of the invoice being written, and the columns the invoice screen and the printed
// invoice show; the printed invoice reads them from the saved invoice under the same names.
namespace ScratchHeader {
inline const QString kTable = QStringLiteral("inv_rep_data");
inline const QString kId = QStringLiteral("id");
inline const QString kFileNumber = QStringLiteral("file_p");
inline const QString kName = QStringLiteral("name");
inline const QString kAddress = QStringLiteral("adrr");
inline const QString kDate = QStringLiteral("dater");
inline const QString kInvoiceNumber = QStringLiteral("invo");
inline const QString kTotal = QStringLiteral("tot");
inline const QString kPayments = QStringLiteral("paym");
inline const QString kNetDue = QStringLiteral("netd");
// The marks of the payment kind the invoice was saved with.
inline const QString kCash = QStringLiteral("cash");
inline const QString kCredit = QStringLiteral("credit1");
inline const QString kPartial = QStringLiteral("parti1");
} // namespace ScratchHeader
