#include "db/compaction.h"

#include "core/apperror.h"
#include "core/programdir.h"
#include "db/connection.h"
#include "db/integrity.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

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

} // namespace

// The compacted copy would otherwise make a file that its owner keeps read-only writable again,
// and for whoever compacted it.
void refuseUnwritableDatabase(const QString& source) {
    const QFileInfo file(source);
    const bool modeAllowsWriting =
        file.permissions() & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
    if (!file.isWritable() || !modeAllowsWriting || !QFileInfo(file.absolutePath()).isWritable())
        throw AppError(75, "You cannot write to the database " + source +
                               " or to its folder, so it was not compacted. Nothing was changed.");
}

namespace {

// A damaged file would lose whatever the copy cannot read; it stays as it is.
void refuseDamaged(const QString& source) {
    const QString finding = damageFound(source);
    if (!finding.isEmpty())
        throw AppError(11, damagedDatabaseText(source, finding));
}

void writeCompactedCopy(const QString& source, const QString& target) {
    ScopedDatabase database(source);
    refuseWhileAnotherWriterIsBusy(database.db());
    runQuery(database.db(), "VACUUM INTO ?", {target});
}

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(path.toStdWString());
}

// The copy takes over the mode of the file it replaces, and its group where the user may give it
// (a database shared with the clinic's group stays shared).
void keepAccessOf(const QString& source, const QString& target) {
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(source).constData(), &status) == 0) {
        [[maybe_unused]] const bool groupKept = ::chown(QFile::encodeName(target).constData(),
                                                        static_cast<uid_t>(-1), status.st_gid) == 0;
    }
#endif
    std::error_code error;
    std::filesystem::permissions(fsPath(target),
                                 std::filesystem::status(fsPath(source)).permissions(), error);
    if (error)
        throw AppError(75, "Path/File access error (" + target +
                               "): " + QString::fromStdString(error.message()));
}

// The copy takes the source's name in one step: at every moment either the old or the compacted
// database stands at the source path.
void replaceWithCopy(const QString& source, const QString& target) {
    std::error_code error;
    std::filesystem::rename(fsPath(target), fsPath(source), error);
    if (error)
        throw AppError(75, "Path/File access error (" + target + " -> " + source +
                               "): " + QString::fromStdString(error.message()));
}

void removeFile(const QString& path) {
    if (fileExists(path) && !QFile::remove(path))
        throw AppError(75, "Path/File access error (" + path + ")");
}

} // namespace

void compactDatabaseFile(const QString& source, const QString& target) {
    try {
        removeFile(target);
        refuseDamaged(source);
        writeCompactedCopy(source, target);
        keepAccessOf(source, target);
        replaceWithCopy(source, target);
    } catch (const AppError&) {
        QFile::remove(target);
        throw;
    }
}
