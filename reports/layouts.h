#pragma once

#include "reports/reportdefinition.h"

// The six report layouts of the program, as designed (before PrepareReport).

// "po_rep", the invoice, printed on stationery that carries the clinic's own heading.
Report invoiceLayout();
// "per_inf_rep", the patient's personal information sheet.
Report patientSheetLayout();
// "rep_day", "rep_mon" or "rep_year", the income reports.
Report incomeLayout(const QString& name);
// "countbynationality", the count of patients by nationality and temporary flag.
Report nationalityCountLayout();
