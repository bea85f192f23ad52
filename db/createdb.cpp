#include "db/createdb.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/errorlog.h"
#include "core/programdir.h"
#include "db/connection.h"
#include "db/schema.h"
#include "settings/appsettings.h"

#include <QFile>

namespace {

const Letterhead& promptLetterhead() {
    static const Letterhead prompts{
        "Enter Clinic Name",      "Enter Doctor Name",      "Enter Qualifications 1",
        "Enter Qualifications 2", "Enter Qualifications 3", "Enter License No",
        "Enter Telephone #",
    };
    return prompts;
}

bool userDeletesOldBackup(const QString& backupPath) {
    const QString question = QString("Do you want to Delete the old backup?  هل تريد حذف النسخه "
                                     "الإحتياطيه؟") +
                             " : " + "\r\n" + backupPath;
    return dialogs().message(question, Dialogs::Buttons::YesNo, Dialogs::Icon::Critical) ==
           Dialogs::Answer::Yes;
}

void removeFile(const QString& path) {
    QFile file(path);
    if (!file.remove())
        throw AppError(75, "Path/File access error (" + path + ")");
}

void moveFile(const QString& from, const QString& to) {
    QFile file(from);
    if (!file.rename(to))
        throw AppError(75, "Path/File access error (" + from + " -> " + to + ")");
}

void buildSchema(const QString& path) {
    ScopedDatabase database(path, ScopedDatabase::Mode::CreateFile);
    inTransaction(database.db(), [&] {
        for (const TableDef& table : schemaTables())
            for (const QString& statement : createTableStatements(table))
                runQuery(database.db(), statement);
    });
}

} // namespace

bool CreateDB(const QString& baseName, const QString& /*password: SQLite has no built-in one*/) {
    const QString databasePath = programDir() + "/" + baseName + ".mdb";
    const QString backupPath = programDir() + "/" + baseName + "_backup.mdb";

    const bool backupExists = fileExists(backupPath);
    if (backupExists && !userDeletesOldBackup(backupPath))
        return false;

    // Only a file that this call made may be deleted on failure: until the previous database is
    // under the backup name, the file at the database path is the user's.
    bool databasePathIsOurs = false;
    try {
        if (backupExists)
            removeFile(backupPath);
        if (fileExists(databasePath))
            moveFile(databasePath, backupPath);
        databasePathIsOurs = true;
        buildSchema(databasePath);
        resetLetterhead(promptLetterhead());
        return true;
    } catch (const AppError& error) {
        ErrorLog::write("error in (CreateDB) : ", error);
        if (databasePathIsOurs && fileExists(databasePath))
            QFile::remove(databasePath);
        dialogs().message(error.description());
        return false;
    }
}
