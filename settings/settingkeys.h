#pragma once

#include <QList>
#include <QString>

struct AppSettingsRecord;

// The values of the settings store, in their stored order.
enum class Setting {
    DbPath,
    ReportsPath,
    ClinicName,
    DrName,
    Qualifications1,
    Qualifications2,
    Qualifications3,
    LicenseNo,
    Telephone,
    Logo,
    // Where the program keeps its copies of the database; empty: beside the database.
    BackupsPath,
    // The connection URI of the clinic's database on a server; empty: the file in dbpath.
    DbServer,
    // The language of the screens and reports, taken at the next start: "ar" for Arabic, right
    // to left; empty: English.
    Language,
    // The clinic's own ways of taking money beyond Cash, Card, Bank transfer and Cheque, names
    // separated by ';'; empty: none.
    PaymentKinds,
    // The folders the backups went to before BackupsPath, one a line: their copies stay offered
    // for restore and are thinned out as the current folder's are.
    OldBackupsPaths
};

// Every value, in the stored order.
QList<Setting> allSettings();
// The value's name in the store ("dbpath", "clinicname", ...).
QString settingName(Setting setting);
// Where the settings record keeps the value.
QString& settingIn(AppSettingsRecord& record, Setting setting);
const QString& settingIn(const AppSettingsRecord& record, Setting setting);
// The value of the first run: the program directory for the two directories, the built-in
// letterhead, no logo, no backups folder of its own, no server and English.
QString builtInValue(Setting setting);

// The letterhead lines, in the order of the letterhead block.
QList<Setting> letterheadSettings();
