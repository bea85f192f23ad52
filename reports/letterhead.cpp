#include "reports/letterhead.h"

#include "reportengine/reportparts.h"

const LetterheadLabel kLetterheadLabels[7] = {
    {Setting::ClinicName, "Clinic Name"},
    {Setting::DrName, "Doctor Name"},
    {Setting::Qualifications1, "Qualification 1"},
    {Setting::Qualifications2, "Qualification 2"},
    {Setting::Qualifications3, "Qualification 3"},
    {Setting::LicenseNo, "License No"},
    {Setting::Telephone, "Telephone"},
};

namespace {
constexpr int kBlockWidth = 4800;
constexpr int kTitleLeft = 5400;
constexpr int kNameHeight = 285;
constexpr int kLineHeight = 230;
constexpr int kTitleLineHeight = 420;
} // namespace

int addLetterhead(Report& report, const QString& titleName, const QString& title, int titleLines) {
    auto& controls = report.sections[PageHeader].controls;
    int top = 0;
    for (int i = 0; i < 7; ++i) {
        const bool nameLine = i < 2;
        const int height = nameLine ? kNameHeight : kLineHeight;
        controls.push_back(label(settingName(kLetterheadLabels[i].line),
                                 kLetterheadLabels[i].designCaption,
                                 QRect(0, top, kBlockWidth, height),
                                 timesNewRoman(nameLine ? 12 : 9.75, nameLine), Qt::AlignCenter));
        top += height;
    }
    const int titleHeight = kTitleLineHeight * titleLines;
    controls.push_back(
        label(titleName, title,
              QRect(kTitleLeft, (top - titleHeight) / 2, report.width - kTitleLeft, titleHeight),
              timesNewRoman(18, true)));
    const int ruleTop = top + 120;
    controls.push_back(rule("Line1", 0, ruleTop, report.width));
    return ruleTop + 100;
}
