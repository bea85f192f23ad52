#include "reports/layouts.h"

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
        {QT_TRANSLATE_NOOP("ReportLayouts", "File Number : "), {"file_num"}, nullptr, {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Patient Name : "), {"pt_name"}, nullptr, {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Age :"),
         {"pt_age"},
         QT_TRANSLATE_NOOP("ReportLayouts", "ID Card No. : "),
         {"pt_id_card"}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Home Tel. :"),
         {"pt_tel_h", "pt_ex_h"},
         QT_TRANSLATE_NOOP("ReportLayouts", "Mobile :"),
         {"mobileno"}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Nationality : "),
         {"pt_nationality"},
         QT_TRANSLATE_NOOP("ReportLayouts", "Work Tel. :"),
         {"pt_tel_w", "pt_ex_w"}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Occupation : "), {"pt_occupation"}, nullptr, {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Address : "), {"pt_address"}, nullptr, {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Relative Name : "), {"rel_name"}, nullptr, {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Age : "), {"rel_age"}, nullptr, {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Home Tel. : "),
         {"rel_tel_h", "rel_ex_h"},
         QT_TRANSLATE_NOOP("ReportLayouts", "Work Tel. : "),
         {"rel_tel_w", "rel_ex_w"}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Occupation : "), {"rel_occupation"}, nullptr, {}},
        {QT_TRANSLATE_NOOP("ReportLayouts", "Address : "), {"rel_address"}, nullptr, {}},
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
