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

AppSettingsRecord& AppSettings() {
    static AppSettingsRecord record;
    return record;
}

QString databaseFileIn(const QString& directory) {
    return directory + "/" + kDatabaseFileName;
}

void AppSettingsRecord::setDbPath(const QString& directory) {
    dbpath = directory;
    databaseFilePath = databaseFileIn(directory);
    connectionPrefix = kConnectionPrefix;
    connectionString = connectionPrefix + databaseFilePath;
}

void resetLetterhead(const Letterhead& values) {
    AppSettings().letterhead = values;
    // Creation and upgrade write the doctor's name first.
    for (const Setting line :
         {Setting::DrName, Setting::ClinicName, Setting::Qualifications1, Setting::Qualifications2,
          Setting::Qualifications3, Setting::LicenseNo, Setting::Telephone})
        SaveRegValue(line, settingIn(AppSettings(), line));
}
