#include "invoices/paymentkinds.h"

#include "db/clinic/payments.h"

QString kindText(PaymentKind kind) {
    switch (kind) {
    case PaymentKind::Credit:
        return kCreditKind;
    case PaymentKind::Partial:
        return kPartialKind;
    case PaymentKind::Cash:
        break;
    }
    return kCashKind;
}
