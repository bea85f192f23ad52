#include "app/letterheadmenu.h"

#include "core/dialogs.h"
#include "settings/appsettings.h"
#include "settings/settingsstore.h"

#include <QLabel>

namespace {
constexpr auto kBlankQualification = "Are you sure you want to set this qualification to blanks?";
} // namespace

const LetterheadItem kLetterheadItems[7] = {
    {"mnuClinicName", "Clinic Name", "Enter Clinic Name", Setting::ClinicName, "Label1",
     "Are you sure you want to set Clinic Name to blanks?", false},
    {"mnuDoctorName", "Doctor Name", "Enter Doctor Name", Setting::DrName, "Label2",
     "Are you sure you want to set Doctor Name to blanks?", false},
    {"mnuQualifications1", "Qualifications1", "Enter Qualification 1", Setting::Qualifications1,
     "Label3", kBlankQualification, true},
    {"mnuQualifications2", "Qualifications2", "Enter Qualification 2", Setting::Qualifications2,
     "Label4", kBlankQualification, true},
    {"mnuQualifications3", "Qualifications3", "Enter Qualification 3", Setting::Qualifications3,
     "Label5", kBlankQualification, true},
    {"mnuLicenseNo", "License No", "Enter the Clinic's License No", Setting::LicenseNo, nullptr,
     "Are you sure you want to set License No to blanks?", false},
    {"mnuTelephone", "Telephone", "Enter the Telephone No", Setting::Telephone, nullptr,
     "Are you sure you want to set the Telephone No to blanks?", false},
};

void editLetterheadItem(AppSettingsRecord& settings, const LetterheadItem& item, QLabel* label) {
    QString& value = settingIn(settings, item.line);
    value = dialogs().inputBox(item.prompt, item.prompt, value);
    if (value.isEmpty() && dialogs().message(item.blankConfirmation, Dialogs::Buttons::YesNo) !=
                               Dialogs::Answer::Yes) {
        value = ReadRegValue(item.line);
        return;
    }
    if (label)
        label->setText(value);
    SaveRegValue(item.line, value);
}
