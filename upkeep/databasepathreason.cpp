#include "upkeep/databasepathreason.h"

#include <QCoreApplication>
#include <QFileInfo>

QString unusableDatabasePathReason(const QString& dbpath, const QString& databaseFilePath) {
    if (dbpath.isEmpty())
        return QCoreApplication::translate("StartUp", "The settings name no database folder.");
    const QFileInfo folder(dbpath);
    if (folder.isRelative())
        return QCoreApplication::translate(
                   "StartUp", "The database folder of the settings, %1, is not a full path.")
            .arg(dbpath);
    if (!folder.exists())
        return QCoreApplication::translate(
                   "StartUp", "The database folder of the settings, %1, does not exist.")
            .arg(dbpath);
    if (!folder.isDir())
        return QCoreApplication::translate(
                   "StartUp", "The database folder of the settings, %1, is not a folder.")
            .arg(dbpath);
    const QFileInfo file(databaseFilePath);
    if (file.isDir())
        return QCoreApplication::translate("StartUp", "%1 is a folder, not a database file.")
            .arg(databaseFilePath);
    if (file.exists() && !file.isFile())
        return QCoreApplication::translate("StartUp", "%1 is not a file that can hold a database.")
            .arg(databaseFilePath);
    return QString();
}
