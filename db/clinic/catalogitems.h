#pragma once

#include <QString>

// The catalog of the clinic's services: a code, what it is and what it costs.
namespace CatalogItems {
inline const QString kTable = QStringLiteral("file_desc");
inline const QString kId = QStringLiteral("id");
inline const QString kCode = QStringLiteral("code");
inline const QString kDescription = QStringLiteral("descrip");
inline const QString kAmount = QStringLiteral("amount");
} // namespace CatalogItems
