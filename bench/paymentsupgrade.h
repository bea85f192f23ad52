#pragma once

#include <QString>

// The upgrade that a file of twenty years gets on its first start with the payments kept: the
// copy is taken back to a file without the payment tables, and the program's upgrade makes them
// with every invoice's payment to date carried over, in one transaction, with its sum checked.
// Returns the seconds that took; the sums of both sides are given back for the record.
struct PaymentsUpgradeRun {
    double seconds = 0;
    qint64 payments = 0;
    QString paid;
    QString owed;
};
PaymentsUpgradeRun timePaymentsUpgrade(const QString& databasePath);

// The two reports on the money, their rows read whole through the program's queries: the cash
// book of the last year and of its last day, and the statement of the patient with the most
// invoices. Printed as they are read, in seconds.
void timeMoneyReports(const QString& databasePath);
