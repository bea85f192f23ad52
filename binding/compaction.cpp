#include "binding/compaction.h"

#include "binding/datacontrols.h"
#include "binding/datasource.h"
#include "binding/screens.h"
#include "binding/setdefaults.h"
#include "core/apperror.h"
#include "core/programdir.h"
#include "db/connection.h"

#include <QFile>
#include <QWidget>
#include <filesystem>

namespace {

template <typename Step> void skipFailure(Step step) {
    try {
        step();
    } catch (const AppError&) {
    }
}

// Another program in the middle of a write would have its work cut off by the replacement.
void refuseWhileAnotherWriterIsBusy(const QSqlDatabase& db) {
    try {
        runQuery(db, "BEGIN IMMEDIATE");
        runQuery(db, "ROLLBACK");
    } catch (const AppError& error) {
        throw AppError(error.number(),
                       "The database is in use by another program and cannot be compacted now (" +
                           error.description() + ")");
    }
}

void writeCompactedCopy(const QString& source, const QString& target) {
    ScopedDatabase database(source);
    refuseWhileAnotherWriterIsBusy(database.db());
    runQuery(database.db(), "VACUUM INTO ?", {target});
}

// The copy takes the source's name in one step: at every moment either the old or the compacted
// database stands at the source path.
void replaceWithCopy(const QString& source, const QString& target) {
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(target.toStdWString()),
                            std::filesystem::path(source.toStdWString()), error);
    if (error)
        throw AppError(75, "Path/File access error (" + target + " -> " + source +
                               "): " + QString::fromStdString(error.message()));
}

void removeFile(const QString& path) {
    if (fileExists(path) && !QFile::remove(path))
        throw AppError(75, "Path/File access error (" + path + ")");
}

} // namespace

void ReleaseDB() {
    for (QWidget* screen : Screens::loaded()) {
        for (DataSource* source : screen->findChildren<DataSource*>()) {
            skipFailure([&] {
                source->setConnect(QString());
                source->setDatabaseName(QString());
                source->close();
            });
        }
    }
    for (const Screen which : allScreens())
        if (QWidget* screen = Screens::existing(which))
            for (DataSource* source : dataControlsOf(screen))
                skipFailure([&] { source->setRecordSource(QString()); });
    closeAllDatabases();
}

bool CompactDB(const QString& source, const QString& target) {
    ReleaseDB();
    try {
        removeFile(target);
        writeCompactedCopy(source, target);
        replaceWithCopy(source, target);
    } catch (const AppError&) {
        QFile::remove(target);
        SetDefaults();
        throw;
    }
    SetDefaults();
    return true;
}
