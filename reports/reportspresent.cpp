#include "reports/reportspresent.h"

#include "core/programdir.h"

bool ReportsPresent(const QString& directory) {
    for (const char* file :
         {"/PER_INF_REP.RPT", "/rep_day.rpt", "/rep_mon.rpt", "/rep_year.rpt", "/po_rep.rpt"})
        if (!fileExists(directory + file))
            return false;
    return true;
}
