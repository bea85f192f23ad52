#include "reports/layouts.h"

#include "db/clinic/patientfiles.h"
#include "db/clinic/reportrows.h"
#include "reportengine/reportparts.h"
#include "reports/letterhead.h"
#include <QCoreApplication>

Report nationalityCountLayout() {
    const QString title =
        QCoreApplication::translate("ReportLayouts", "Count of Patients (Temporary/Non-Temporary)");
    Report report = emptyReport("countbynationality", title, 10230);
    // The long title takes two lines beside the letterhead.
    const int headingTop = addLetterhead(report, "personalinformation", title, 2);
    const int column = report.width / 3;
    const QString headings[] = {QCoreApplication::translate("ReportLayouts", "Nationality"),
                                QCoreApplication::translate("ReportLayouts", "Count"),
                                QCoreApplication::translate("ReportLayouts", "Temproary Patients")};
    const QString fields[] = {PatientFiles::kNationality, kPatientCountColumn,
                              PatientFiles::kTemporary};
    for (int i = 0; i < 3; ++i) {
        const QString number = QString::number(i + 1);
        report.sections[PageHeader].controls.push_back(
            label("Label" + number, headings[i], QRect(i * column, headingTop, column, 285),
                  timesNewRoman(12), Qt::AlignCenter));
        report.sections[Detail].controls.push_back(textBox(
            "Text" + number, fields[i], QRect(i * column, 40, column, 200), {}, Qt::AlignCenter));
    }
    report.sections[Detail].controls[0].format = ValueFormat::StoredWord;
    report.sections[Detail].controls[2].format = ValueFormat::YesNo;
    report.sections[PageHeader].height = headingTop + 385;
    report.sections[Detail].height = 280;

    ReportSection& footer = report.sections[ReportFooter];
    footer.controls = {
        label("Label4", QCoreApplication::translate("ReportLayouts", "Total"),
              QRect(0, 150, column, 200)),
        sumOf("Function1", kPatientCountColumn, QRect(column, 150, column, 200), std::nullopt,
              Qt::AlignCenter),
    };
    footer.height = 450;
    return report;
}
