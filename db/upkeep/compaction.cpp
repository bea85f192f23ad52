#include "db/upkeep/compaction.h"

#include "core/apperror.h"
#include "core/filefailure.h"
#include "core/programdir.h"
#include "db/engine/connection.h"
#include "db/engine/statements.h"
#include "db/upkeep/filereplace.h"
#include "db/upkeep/integrity.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

// Another program in the middle of a write would have its work cut off by the replacement.
void refuseWhileAnotherWriterIsBusy(const QSqlDatabase& db) {
    try {
        Statements statements(db);
        statements.runOnce("BEGIN IMMEDIATE");
        statements.runOnce("ROLLBACK");
    } catch (const AppError& error) {
        throw AppError(error.number(),
                       QCoreApplication::translate("Database",
                                                   "The database is in use by another program and "
                                                   "cannot be compacted now (%1)")
                           .arg(error.description()),
                       error.kind());
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
        throw fileAccessError(
            QCoreApplication::translate("Database",
                                        "You cannot write to the database %1 or to its folder, "
                                        "so it was not compacted. Nothing was changed.")
                .arg(source));
}

namespace {

// A damaged file would lose whatever the copy cannot read; it stays as it is.
void refuseDamaged(const QString& source) {
    const QString finding = damageFound(source);
    if (!finding.isEmpty())
        throw damagedDatabase(source, finding);
}

void writeCompactedCopy(const QString& source, const QString& target) {
    ScopedDatabase database(source);
    refuseWhileAnotherWriterIsBusy(database.db());
    Statements(database.db()).write("VACUUM INTO ?", {target});
}

void removeFile(const QString& path) {
    if (fileExists(path) && !QFile::remove(path))
        throw pathAccessError(path);
}

} // namespace

void compactDatabaseFile(const QString& source, const QString& target) {
    try {
        removeFile(target);
        refuseDamaged(source);
        writeCompactedCopy(source, target);
        replaceWithCopy(source, target);
    } catch (const AppError&) {
        QFile::remove(target);
        throw;
    }
}
