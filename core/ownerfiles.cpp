#include "core/ownerfiles.h"

#include <QDir>
#include <QFileInfo>

namespace OwnerFiles {

namespace {
constexpr QFile::Permissions kFolderMode = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
}

QFile::Permissions modeFor(const QString& path) {
    const QFileInfo existing(path);
    return existing.exists() ? existing.permissions() : kFileMode;
}

bool open(QFile& file, QIODevice::OpenMode mode) {
    return file.open(mode, kFileMode);
}

bool makeEmpty(const QString& path) {
    if (QFileInfo::exists(path))
        return false;
    QFile file(path);
    // NewOnly: a file that appeared meanwhile is not taken for one the program made.
    return file.open(QIODevice::WriteOnly | QIODevice::NewOnly, kFileMode);
}

bool restrict(const QString& path, QFile::Permissions mode) {
    return QFile::setPermissions(path, mode);
}

bool makeFolder(const QString& path) {
    const QFileInfo folder(path);
    if (folder.isDir())
        return true;
    if (folder.exists())
        return false;
    const QString parent = folder.absolutePath();
    if (parent != folder.absoluteFilePath() && !makeFolder(parent))
        return false;
    return QDir().mkdir(folder.absoluteFilePath(), kFolderMode);
}

} // namespace OwnerFiles
