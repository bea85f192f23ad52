#pragma once

#include <QString>

// An invoice is filed under the month and the year of its date text "DD/MM/YYYY": the periodic
// reports select invoices by exactly these texts.
inline QString invoiceMonth(const QString& date) {
    return date.right(7);
}
inline QString invoiceYear(const QString& date) {
    return date.right(4);
}
