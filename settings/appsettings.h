#pragma once

#include <QString>

// The seven letterhead lines, in the order the registry values are listed.
struct Letterhead {
    QString clinicname;
    QString drname;
    QString qualifications1;
    QString qualifications2;
    QString qualifications3;
    QString licenseno;
    QString telephone;
};

// The built-in letterhead, used on the first run and by the database upgrade.
const Letterhead& DefaultLetterhead();
// The texts a new database asks the clinic to replace.
const Letterhead& PromptLetterhead();

// The settings of the run: the stored values and what is derived from the database path. One
// record lives for the whole run; it is handed to whatever needs it.
struct AppSettingsRecord {
    QString dbpath;
    QString reportspath;
    Letterhead letterhead;
    QString logo;
    QString backupspath;
    QString dbserver;
    QString language;
    QString paymentkinds;
    QString oldbackupspaths;

    QString databaseFilePath;

    // Forms the database file path anew from dbpath.
    void setDbPath(const QString& directory);
    // True when the clinic's database is on a server rather than in the file of dbpath.
    bool onServer() const { return !dbserver.isEmpty(); }
    // Where the data are read and written: the server's connection URI, or the database file.
    const QString& databaseLocation() const { return onServer() ? dbserver : databaseFilePath; }
};

constexpr auto kDatabaseFileName = "korvel_data.mdb";

// The database file in a directory: directory + "/korvel_data.mdb".
QString databaseFileIn(const QString& directory);

// Writes a letterhead to the record and to the store in the reset order.
void resetLetterhead(AppSettingsRecord& settings, const Letterhead& values);
