#include "core/programdir.h"

#include "core/ownerfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString fixedDir;
QDate fixedToday;

// An installed program (in a bin directory such as /usr/bin) keeps nothing beside itself even
// where it could write there, as root can: removing the package would leave those files behind.
bool keepsFilesBesideItself(const QString& exeDir) {
    return QFileInfo(exeDir).isWritable() && QDir(exeDir).dirName() != "bin";
}

QString defaultProgramDir() {
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (keepsFilesBesideItself(exeDir))
        return exeDir;
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    OwnerFiles::makeFolder(dataDir);
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
