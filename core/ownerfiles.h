#pragma once

#include <QFile>

// What holds patient data (the database and its copies, the logs, exports, the settings, the
// lock) is kept from the computer's other accounts whatever the umask: a file the program makes
// is the owner's alone (0600), and so is a folder it makes (0700). A file it replaces keeps the
// mode it had, as the user chose it.
namespace OwnerFiles {

constexpr QFile::Permissions kFileMode = QFile::ReadOwner | QFile::WriteOwner;

// The mode a file written at path is to have: the one it has, or the owner's alone when new.
QFile::Permissions modeFor(const QString& path);

// Opens the file, making it owner-only when it is new.
bool open(QFile& file, QIODevice::OpenMode mode);

// Makes an empty owner-only file at path unless one stands there, so that what then writes it
// (the database engine, a PDF writer) keeps that mode. True when it made one.
bool makeEmpty(const QString& path);

// Gives a file the program just made through a library that follows the umask its mode.
bool restrict(const QString& path, QFile::Permissions mode = kFileMode);

// Makes the folder and those of its parents that are missing, each owner-only.
bool makeFolder(const QString& path);

} // namespace OwnerFiles
