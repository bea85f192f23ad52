#pragma once

#include <QString>

// An invoice's lines: those being written, and those saved with their invoice's number. Both
// tables have the same columns.
namespace InvoiceLines {
inline const QString kScratchTable = QStringLiteral("po_desc");
inline const QString kSavedTable = QStringLiteral("po_descs");
inline const QString kFileNumber = QStringLiteral("file_p");
inline const QString kCode = QStringLiteral("code2");
inline const QString kDescription = QStringLiteral("descr2");
inline const QString kAmount = QStringLiteral("amount2");
inline const QString kInvoiceNumber = QStringLiteral("po_num");
} // namespace InvoiceLines
