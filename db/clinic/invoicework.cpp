#include "db/clinic/invoicework.h"

#include "db/clinic/invoiceremoval.h"
#include "db/clinic/scratchinvoice.h"
#include "db/engine/connection.h"
#include "db/engine/serversession.h"

int startInvoiceWork(const QString& location) {
    QSqlDatabase db = openDatabase(location);
    deleteLeftoverScratch(db);
    return sessionOf(db);
}

std::optional<int> saveNewInvoice(const QString& location, const NewInvoice& invoice, int session,
                                  bool clearScratch) {
    QSqlDatabase db = openDatabase(location);
    std::optional<int> number;
    inTransaction(db, [&] {
        if (sessionOf(db) != session)
            return;
        number = storeNewInvoice(db, invoice);
        if (clearScratch)
            deleteScratch(db, invoice.scratchId);
    });
    return number;
}

std::optional<RestartedScratch> restartLostScratch(const QString& location, int session,
                                                   const QString& fileNumber, const QString& name,
                                                   const QString& address) {
    QSqlDatabase db = openDatabase(location);
    if (sessionOf(db) == session)
        return std::nullopt;
    RestartedScratch restarted;
    inTransaction(db, [&] {
        restarted.headerId = storeScratchHeader(db, fileNumber, name, address);
        restarted.total = scratchTotal(db);
    });
    restarted.session = sessionOf(db);
    return restarted;
}

void discardScratch(const QString& location, const QVariant& headerId) {
    QSqlDatabase db = openDatabase(location);
    inTransaction(db, [&] { deleteScratch(db, headerId); });
}

void removeInvoice(const QString& location, const QVariant& invoiceNumber, const QDate& day) {
    QSqlDatabase db = openDatabase(location);
    inTransaction(db, [&] { deleteSavedInvoice(db, invoiceNumber, day); });
}

void correctPayment(const QString& location, const Payment& payment,
                    const std::function<void()>& writeRow) {
    QSqlDatabase db = openDatabase(location);
    inTransaction(db, [&] {
        recordPayment(db, payment);
        writeRow();
    });
}
