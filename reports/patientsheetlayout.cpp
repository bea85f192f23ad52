#include "reports/layouts.h"

#include "db/clinic/patientfiles.h"
#include "reportengine/reportparts.h"
#include "reports/letterhead.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

// One row of the sheet: a label with one or two fields beside it, and the same on the right.
struct SheetRow {
    const char* leftLabel;
    QStringList leftFields;
    const char* rightLabel;
    QStringList rightFields;
};

constexpr int kRowPitch = 420;
constexpr int kRowHeight = 285;
constexpr int kLabelWidth = 2100;
constexpr int kRightLabelLeft = 5300;
constexpr int kRightLabelWidth = 1600;

const ReportFont kValueFont = timesNewRoman(12);

// A single field reaches to the next label (or the page's edge); a telephone and its
// extension share that room.
void addFields(ReportSection& detail, const QStringList& fields, int left, int right, int top) {
    const int count = static_cast<int>(fields.size());
    const int width = count == 1 ? right - left : 1400;
    for (int i = 0; i < count; ++i) {
        ReportControl box = textBox("Text" + QString::number(detail.controls.size() + 1), fields[i],
                                    QRect(left + i * 1500, top, width, kRowHeight), kValueFont);
        box.canGrow = count == 1;
        detail.controls.push_back(box);
    }
}

void addRow(ReportSection& detail, const SheetRow& row, int top) {
    detail.controls.push_back(label("Label" + QString::number(detail.controls.size() + 1),
                                    QCoreApplication::translate("ReportLayouts", row.leftLabel),
                                    QRect(0, top, kLabelWidth, kRowHeight), kValueFont));
    const bool hasRight = row.rightLabel != nullptr;
    addFields(detail, row.leftFields, kLabelWidth, hasRight ? kRightLabelLeft - 100 : 10230, top);
    if (!hasRight)
        return;
    detail.controls.push_back(label("Label" + QString::number(detail.controls.size() + 1),
                                    QCoreApplication::translate("ReportLayouts", row.rightLabel),
                                    QRect(kRightLabelLeft, top, kRightLabelWidth, kRowHeight),
                                    kValueFont));
    addFields(detail, row.rightFields, kRightLabelLeft + kRightLabelWidth, 10230, top);
}

} // namespace

Report patientSheetLayout() {
    Report report = emptyReport(
        "per_inf_rep",
        QCoreApplication::translate("ReportLayouts", "Patient's Personal Information"), 10230);
    report.sections[PageHeader].height =
        addLetterhead(report, "personalinformation",
                      QCoreApplication::translate("ReportLayouts", "Personal Information"));

    const SheetRow rows[] = {
        {QT_TRANSLATE_NOOP("ReportLayouts", "File Number : "),
         {PatientFiles::kFileNumber},
         nullptr,
         {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Patient Name : "), {PatientFiles::kName}, nullptr, {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Age :"),
         {PatientFiles::kAge},
         QT_TRANSLATE_NOOP("ReportLayouts", "ID Card No. : "),
         {PatientFiles::kIdCard}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Home Tel. :"),
         {PatientFiles::kHomeTel, PatientFiles::kHomeExtension},
         QT_TRANSLATE_NOOP("ReportLayouts", "Mobile :"),
         {PatientFiles::kMobile}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Nationality : "),
         {PatientFiles::kNationality},
         QT_TRANSLATE_NOOP("ReportLayouts", "Work Tel. :"),
         {PatientFiles::kWorkTel, PatientFiles::kWorkExtension}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Occupation : "),
         {PatientFiles::kOccupation},
         nullptr,
         {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Address : "), {PatientFiles::kAddress}, nullptr, {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Relative Name : "),
         {PatientFiles::kRelativeName},
         nullptr,
         {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Age : "), {PatientFiles::kRelativeAge}, nullptr, {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Home Tel. : "),
         {PatientFiles::kRelativeHomeTel, PatientFiles::kRelativeHomeExtension},
         QT_TRANSLATE_NOOP("ReportLayouts", "Work Tel. : "),
         {PatientFiles::kRelativeWorkTel, PatientFiles::kRelativeWorkExtension}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Occupation : "),
         {PatientFiles::kRelativeOccupation},
         nullptr,
         {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Address : "),
         {PatientFiles::kRelativeAddress},
         nullptr,
         {}},
    };
    ReportSection& detail = report.sections[Detail];
    int top = 200;
    for (const SheetRow& row : rows) {
        addRow(detail, row, top);
        top += kRowPitch;
    }
    detail.height = top + 200;

    ReportSection& footer = report.sections[PageFooter];
    footer.controls = {
        label("Label" + QString::number(detail.controls.size() + 1),
              QCoreApplication::translate("ReportLayouts", "Signature : "),
              QRect(5200, 300, 1700, 330), timesNewRoman(14.25)),
        rule("Line2", 6900, 600, 3100),
    };
    footer.height = 800;
    return report;
}
