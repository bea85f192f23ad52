#include "db/filereplace.h"

#include "core/apperror.h"
#include "core/ownerfiles.h"

#include <QFile>
#include <filesystem>

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
        throw AppError(75, "Path/File access error (" + copy + ")");
}

} // namespace

void replaceWithCopy(const QString& file, const QString& copy) {
    keepAccessOf(file, copy);
    std::error_code error;
    std::filesystem::rename(fsPath(copy), fsPath(file), error);
    if (error)
        throw AppError(75, "Path/File access error (" + copy + " -> " + file +
                               "): " + QString::fromStdString(error.message()));
}
