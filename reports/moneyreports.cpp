#include "reports/moneyreports.h"

#include "core/programdir.h"
#include "db/clinic/paymentreports.h"
#include "reportengine/reportoutput.h"
#include "reports/preparereport.h"
#include "reports/reportinstances.h"
#include "settings/appsettings.h"
#include <QCoreApplication>

namespace {

QString periodCaption(ReportPeriod period, const QString& text) {
    switch (period) {
    case ReportPeriod::Day:
        return QCoreApplication::translate("MoneyReports", "Day %1").arg(text);
    case ReportPeriod::Month:
        return QCoreApplication::translate("MoneyReports", "Month %1").arg(text);
    case ReportPeriod::Year:
        break;
    }
    return QCoreApplication::translate("MoneyReports", "Year %1").arg(text);
}

void setCaption(Report& report, const QString& labelName, const QString& caption) {
    if (ReportControl* control = report.control(labelName))
        control->caption = caption;
}

} // namespace

void produceCashBook(const AppSettingsRecord& settings, ReportPeriod period, const QString& text,
                     bool toPrinter, QWidget* owner) {
    const QString path = settings.databaseLocation();
    const auto readRows = [path, period, text] { return cashBookRows(path, period, text); };
    const auto rows = readRows();
    Report& report = reportByName("cashbook");
    PrepareReport(report, settings);
    setCaption(report, "period", periodCaption(period, text));
    setCaption(report, "printed",
               QCoreApplication::translate("MoneyReports", "Printed %1")
                   .arg(today().toString("dd/MM/yyyy")));
    if (toPrinter)
        printReport(report, *rows, owner);
    else
        previewReport(report, *rows, owner, readRows);
}

void previewStatement(const AppSettingsRecord& settings, const QString& fileNumber,
                      QWidget* parent) {
    const QString path = settings.databaseLocation();
    const auto readRows = [path, fileNumber] { return statementRows(path, fileNumber); };
    const auto rows = readRows();
    Report& report = reportByName("statement");
    PrepareReport(report, settings);
    setCaption(report, "statementfile", fileNumber);
    setCaption(report, "statementname", patientName(path, fileNumber));
    setCaption(report, "statementdate", today().toString("dd/MM/yyyy"));
    previewReport(report, *rows, parent, readRows);
}
