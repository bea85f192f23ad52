#pragma once

#include "reportengine/reportdefinition.h"

// The report layouts of the program, as designed (before PrepareReport): the six of the clinic's
// first program and the two on the money received.

// "po_rep", the invoice, printed on stationery that carries the clinic's own heading.
Report invoiceLayout();
// "per_inf_rep", the patient's personal information sheet.
Report patientSheetLayout();
// "rep_day", "rep_mon" or "rep_year", the income reports.
Report incomeLayout(const QString& name);
// "countbynationality", the count of patients by nationality and temporary flag.
Report nationalityCountLayout();
// "cashbook", every payment of a day, month or year with totals per kind; the label "period"
// names the period.
Report cashBookLayout();
// "statement", one patient's invoices and payments with the running balance; the labels
// "statementfile", "statementname" and "statementdate" name the patient and the day.
Report statementLayout();
