#include "settings/appsettings.h"

#include "settings/registry.h"

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

const LetterheadEntry kLetterheadResetOrder[7] = {
    {"drname", &Letterhead::drname},
    {"clinicname", &Letterhead::clinicname},
    {"qualifications1", &Letterhead::qualifications1},
    {"qualifications2", &Letterhead::qualifications2},
    {"qualifications3", &Letterhead::qualifications3},
    {"licenseno", &Letterhead::licenseno},
    {"telephone", &Letterhead::telephone},
};

void resetLetterhead(const Letterhead& values) {
    AppSettings().letterhead = values;
    for (const auto& entry : kLetterheadResetOrder)
        SaveRegValue(entry.name, values.*entry.member);
}
