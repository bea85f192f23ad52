#pragma once

#include "invoices/invoicewriter.h"

#include <QString>

// An invoice's terms as the invoice screen's options name them and invoice_kinds keeps them.
QString kindText(PaymentKind kind);
