#include "db/upkeep/filereplace.h"

#include "core/apperror.h"
#include "core/filefailure.h"
#include "core/ownerfiles.h"
#include "db/engine/filedialect.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <memory>

#include <sqlite3.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(path.toStdWString());
}

void keepAccessOf(const QString& file, const QString& copy) {
#ifdef Q_OS_UNIX
    struct stat status {};
    if (::stat(QFile::encodeName(file).constData(), &status) == 0) {
        [[maybe_unused]] const bool groupKept = ::chown(QFile::encodeName(copy).constData(),
                                                        static_cast<uid_t>(-1), status.st_gid) == 0;
    }
#endif
    if (!OwnerFiles::restrict(copy, OwnerFiles::modeFor(file)))
        throw pathAccessError(copy);
}

// A symbolic link, or a file with a second name (a hard link): a rename would put a new file in
// place of this one name, and the other names would keep the old data.
bool reachedByAnotherName(const QString& file) {
    if (QFileInfo(file).isSymLink())
        return true;
#ifdef Q_OS_UNIX
    struct stat status {};
    return ::stat(QFile::encodeName(file).constData(), &status) == 0 && status.st_nlink > 1;
#else
    return false;
#endif
}

AppError engineError(sqlite3* handle, const QString& file) {
    return fileEngineError(sqlite3_extended_errcode(handle),
                           "Path/File access error (" + file +
                               "): " + QString::fromUtf8(sqlite3_errmsg(handle)));
}

// The copy's pages are written into the file itself, in one transaction of the engine, which
// its journal completes or undoes after a crash: the file keeps every name and link.
void writeIntoFile(const QString& file, const QString& copy) {
    sqlite3* from = nullptr;
    sqlite3* to = nullptr;
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> closeFrom(nullptr, sqlite3_close);
    std::unique_ptr<sqlite3, int (*)(sqlite3*)> closeTo(nullptr, sqlite3_close);
    const int openedFrom =
        sqlite3_open_v2(QFile::encodeName(copy).constData(), &from, SQLITE_OPEN_READONLY, nullptr);
    closeFrom.reset(from);
    if (openedFrom != SQLITE_OK)
        throw engineError(from, copy);
    const int openedTo =
        sqlite3_open_v2(QFile::encodeName(file).constData(), &to, SQLITE_OPEN_READWRITE, nullptr);
    closeTo.reset(to);
    if (openedTo != SQLITE_OK)
        throw engineError(to, file);
    sqlite3_busy_timeout(to, 2000);
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        throw engineError(to, file);
    const int stepped = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE)
        throw fileEngineError(stepped, "Path/File access error (" + file +
                                           "): " + QString::fromUtf8(sqlite3_errstr(stepped)));
}

} // namespace

void replaceWithCopy(const QString& file, const QString& copy) {
    if (reachedByAnotherName(file)) {
        writeIntoFile(file, copy);
        QFile::remove(copy);
        return;
    }
    keepAccessOf(file, copy);
    std::error_code error;
    std::filesystem::rename(fsPath(copy), fsPath(file), error);
    if (error)
        throw fileAccessError("Path/File access error (" + copy + " -> " + file +
                              "): " + QString::fromStdString(error.message()));
}
