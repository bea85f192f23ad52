#pragma once

#include "reportengine/reportdefinition.h"

// The program's one instance of each report ("po_rep", "per_inf_rep", "rep_day", "rep_mon",
// "rep_year", "countbynationality", and "cashbook" and "statement" on the money received), made
// from its layout on first use. PrepareReport
// and the printing screens change these instances; they keep the changes for the whole run.
// Throws AppError for a name that is not one of these reports.
Report& reportByName(const QString& name);
