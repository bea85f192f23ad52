#pragma once

#include "invoices/invoicewriter.h"

#include <QString>

// The kinds a payment is taken in, as the invoice screen's options name them.
QString kindText(PaymentKind kind);
