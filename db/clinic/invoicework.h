#pragma once

#include "db/clinic/invoicestore.h"
#include "db/clinic/payments.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

// What the invoice screens and the patient file do to the database at a location, each one
// transaction. The working tables live in the server's session: a screen keeps the number of the
// session its lines were entered in, and an invoice whose lines were lost with that session is
// never saved without them.

// Clears what a program ended in the middle of an invoice left in the working tables; the number
// of the session the new invoice's lines are entered in.
int startInvoiceWork(const QString& location);

// Stores the new invoice, and empties the working tables when asked; no number when the session
// the lines were entered in is gone.
std::optional<int> saveNewInvoice(const QString& location, const NewInvoice& invoice, int session,
                                  bool clearScratch);

// The working tables as they are begun again after a lost session: the patient's new scratch
// header, the sum of the lines left and the new session's number.
struct RestartedScratch {
    QVariant headerId;
    qint64 total = 0;
    int session = 0;
};
// Begins the working tables again for the patient when the session is gone; nothing otherwise.
std::optional<RestartedScratch> restartLostScratch(const QString& location, int session,
                                                   const QString& fileNumber, const QString& name,
                                                   const QString& address);

// Empties the scratch lines and deletes the scratch header (a null id: there is none).
void discardScratch(const QString& location, const QVariant& headerId);

// Deletes a saved invoice with its lines, reversing its payments on the day given.
void removeInvoice(const QString& location, const QVariant& invoiceNumber, const QDate& day);

// Records a change of the amount paid on an invoice together with the edit of its row, which
// writeRow stores on the same connection: both or neither.
void correctPayment(const QString& location, const Payment& payment,
                    const std::function<void()>& writeRow);
