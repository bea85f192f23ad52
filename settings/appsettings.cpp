#include "settings/appsettings.h"

#include "settings/settingsstore.h"

const Letterhead& DefaultLetterhead() {
    static const Letterhead defaults{
        "KORVEL",
        "DR./ ZARETH MOLVANE",
        "Diploma London University",
        "Fach. Arzt. Germany.",
        "Obst. Gynae., Infertillity",
        "11-222-33-44-555",
        "5550100-5550199",
    };
    return defaults;
}

const Letterhead& PromptLetterhead() {
    static const Letterhead prompts{
        "Enter Clinic Name",      "Enter Doctor Name",      "Enter Qualifications 1",
        "Enter Qualifications 2", "Enter Qualifications 3", "Enter License No",
        "Enter Telephone #",
    };
    return prompts;
}

QString databaseFileIn(const QString& directory) {
    return directory + "/" + kDatabaseFileName;
}

void AppSettingsRecord::setDbPath(const QString& directory) {
    dbpath = directory;
    databaseFilePath = databaseFileIn(directory);
}

void resetLetterhead(AppSettingsRecord& settings, const Letterhead& values) {
    settings.letterhead = values;
    // Creation and upgrade write the doctor's name first.
    for (const Setting line :
         {Setting::DrName, Setting::ClinicName, Setting::Qualifications1, Setting::Qualifications2,
          Setting::Qualifications3, Setting::LicenseNo, Setting::Telephone})
        SaveRegValue(line, settingIn(settings, line));
}
