#include "core/programdir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString fixedDir;
QDate fixedToday;

QString defaultProgramDir() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (QFileInfo(exeDir).isWritable())
        return exeDir;
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataDir);
    return dataDir;
}
} // namespace

QString programDir() {
    if (fixedDir.isEmpty())
        fixedDir = defaultProgramDir();
    return fixedDir;
}

void setProgramDir(const QString& directory) {
    fixedDir = directory;
}

QDate today() {
    return fixedToday.isValid() ? fixedToday : QDate::currentDate();
}

void setToday(const QDate& date) {
    fixedToday = date;
}

bool fileExists(const QString& path) {
    return QFileInfo(path).isFile();
}
