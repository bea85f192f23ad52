#include "app/letterheadmenu.h"

#include "core/dialogs.h"
#include "settings/registry.h"

#include <QLabel>

namespace {
constexpr auto kBlankQualification = "Are you sure you want to set this qualification to blanks?";
} // namespace

const LetterheadItem kLetterheadItems[7] = {
    {"mnuClinicName", "Clinic Name", "Enter Clinic Name", "clinicname", &Letterhead::clinicname,
     "Label1", "Are you sure you want to set Clinic Name to blanks?", false},
    {"mnuDoctorName", "Doctor Name", "Enter Doctor Name", "drname", &Letterhead::drname, "Label2",
     "Are you sure you want to set Doctor Name to blanks?", false},
    {"mnuQualifications1", "Qualifications1", "Enter Qualification 1", "qualifications1",
     &Letterhead::qualifications1, "Label3", kBlankQualification, true},
    {"mnuQualifications2", "Qualifications2", "Enter Qualification 2", "qualifications2",
     &Letterhead::qualifications2, "Label4", kBlankQualification, true},
    {"mnuQualifications3", "Qualifications3", "Enter Qualification 3", "qualifications3",
     &Letterhead::qualifications3, "Label5", kBlankQualification, true},
    {"mnuLicenseNo", "License No", "Enter the Clinic's License No", "licenseno",
     &Letterhead::licenseno, nullptr, "Are you sure you want to set License No to blanks?", false},
    {"mnuTelephone", "Telephone", "Enter the Telephone No", "telephone", &Letterhead::telephone,
     nullptr, "Are you sure you want to set the Telephone No to blanks?", false},
};

void editLetterheadItem(const LetterheadItem& item, QLabel* label) {
    QString& value = AppSettings().letterhead.*item.member;
    value = dialogs().inputBox(item.prompt, item.prompt, value);
    if (value.isEmpty() && dialogs().message(item.blankConfirmation, Dialogs::Buttons::YesNo) !=
                               Dialogs::Answer::Yes) {
        value = ReadRegValue(item.valueName);
        return;
    }
    if (label)
        label->setText(value);
    SaveRegValue(item.valueName, value);
}
