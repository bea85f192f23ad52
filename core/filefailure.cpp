#include "core/filefailure.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <cstring>

AppError fileAccessError(const QString& description) {
    return AppError(75, description);
}

AppError pathAccessError(const QString& paths) {
    return fileAccessError("Path/File access error (" + paths + ")");
}

AppError fileNotWritten(const QFileDevice& file, int systemError) {
    QString reason = file.errorString();
    if (systemError != 0 && (reason.isEmpty() || reason == QLatin1String("Unknown error")))
        reason = QString::fromLocal8Bit(std::strerror(systemError));
    return fileAccessError(
        QCoreApplication::translate("CsvFile", "The file %1 could not be written (%2).")
            .arg(file.fileName(), reason));
}
