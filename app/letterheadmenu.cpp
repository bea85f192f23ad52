#include "app/letterheadmenu.h"

#include "app/letterheadpanel.h"
#include "core/dialogs.h"
#include "settings/appsettings.h"
#include "settings/settingsstore.h"

#include <QCoreApplication>

namespace {
constexpr auto kBlankQualification = QT_TRANSLATE_NOOP(
    "LetterheadMenu", "Are you sure you want to set this qualification to blanks?");
} // namespace

const LetterheadItem kLetterheadItems[7] = {
    {"mnuClinicName", QT_TRANSLATE_NOOP("LetterheadMenu", "Clinic Name"),
     QT_TRANSLATE_NOOP("LetterheadMenu", "Enter Clinic Name"), Setting::ClinicName,
     QT_TRANSLATE_NOOP("LetterheadMenu", "Are you sure you want to set Clinic Name to blanks?"),
     false},
    {"mnuDoctorName", QT_TRANSLATE_NOOP("LetterheadMenu", "Doctor Name"),
     QT_TRANSLATE_NOOP("LetterheadMenu", "Enter Doctor Name"), Setting::DrName,
     QT_TRANSLATE_NOOP("LetterheadMenu", "Are you sure you want to set Doctor Name to blanks?"),
     false},
    {"mnuQualifications1", QT_TRANSLATE_NOOP("LetterheadMenu", "Qualifications1"),
     QT_TRANSLATE_NOOP("LetterheadMenu", "Enter Qualification 1"), Setting::Qualifications1,
     kBlankQualification, true},
    {"mnuQualifications2", QT_TRANSLATE_NOOP("LetterheadMenu", "Qualifications2"),
     QT_TRANSLATE_NOOP("LetterheadMenu", "Enter Qualification 2"), Setting::Qualifications2,
     kBlankQualification, true},
    {"mnuQualifications3", QT_TRANSLATE_NOOP("LetterheadMenu", "Qualifications3"),
     QT_TRANSLATE_NOOP("LetterheadMenu", "Enter Qualification 3"), Setting::Qualifications3,
     kBlankQualification, true},
    {"mnuLicenseNo", QT_TRANSLATE_NOOP("LetterheadMenu", "License No"),
     QT_TRANSLATE_NOOP("LetterheadMenu", "Enter the Clinic's License No"), Setting::LicenseNo,
     QT_TRANSLATE_NOOP("LetterheadMenu", "Are you sure you want to set License No to blanks?"),
     false},
    {"mnuTelephone", QT_TRANSLATE_NOOP("LetterheadMenu", "Telephone"),
     QT_TRANSLATE_NOOP("LetterheadMenu", "Enter the Telephone No"), Setting::Telephone,
     QT_TRANSLATE_NOOP("LetterheadMenu",
                       "Are you sure you want to set the Telephone No to blanks?"),
     false},
};

void editLetterheadItem(AppSettingsRecord& settings, const LetterheadItem& item,
                        LetterheadPanel* panel) {
    QString& value = settingIn(settings, item.line);
    const QString prompt = QCoreApplication::translate("LetterheadMenu", item.prompt);
    value = dialogs().inputBox(prompt, prompt, value);
    if (value.isEmpty() &&
        dialogs().message(QCoreApplication::translate("LetterheadMenu", item.blankConfirmation),
                          Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes) {
        value = ReadRegValue(item.line);
    } else if (!SaveRegValue(item.line, value)) {
        // The letterhead shows what the next start will show.
        showMessage(settingNotStoredText());
        value = ReadRegValue(item.line);
    }
    panel->showLetterhead(settings.letterhead);
}
