#pragma once

#include <QCoreApplication>
#include <QDate>
#include <QString>

// An invoice is filed under the month and the year of its date text "DD/MM/YYYY": the periodic
// reports select invoices by exactly these texts.
inline QString invoiceMonth(const QString& date) {
    return date.right(7);
}
inline QString invoiceYear(const QString& date) {
    return date.right(4);
}

// A date text the reports can file: a real day written "DD/MM/YYYY".
inline bool isInvoiceDate(const QString& date) {
    return date.size() == 10 && QDate::fromString(date, "dd/MM/yyyy").isValid();
}

// Said when a date is refused; the text typed stays in the box.
inline QString invoiceDateRefusal(const QString& date) {
    return QCoreApplication::translate("InvoiceDate",
                                       "\"%1\" is not a date. Type the day as DD/MM/YYYY, for "
                                       "example 05/03/2027. The invoice was not saved.")
        .arg(date);
}
