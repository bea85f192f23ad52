#include "reports/reportinstances.h"

#include "core/apperror.h"
#include "reports/layouts.h"

#include <QGuiApplication>
#include <map>

namespace {
std::map<QString, Report>& reports() {
    static std::map<QString, Report> all = [] {
        std::map<QString, Report> made;
        for (Report report : {invoiceLayout(), patientSheetLayout(), incomeLayout("rep_day"),
                              incomeLayout("rep_mon"), incomeLayout("rep_year"),
                              nationalityCountLayout(), cashBookLayout(), statementLayout()}) {
            if (QGuiApplication::isRightToLeft())
                report.mirror();
            made.emplace(report.name, std::move(report));
        }
        return made;
    }();
    return all;
}
} // namespace

Report& reportByName(const QString& name) {
    const auto found = reports().find(name);
    if (found == reports().end())
        throw AppError(ErrorNumber::Unexpected, "There is no report named " + name + ".");
    return found->second;
}
