#include "core/filefailure.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <cstring>

AppError fileNotWritten(const QFileDevice& file, int systemError) {
    QString reason = file.errorString();
    if (systemError != 0 && (reason.isEmpty() || reason == QLatin1String("Unknown error")))
        reason = QString::fromLocal8Bit(std::strerror(systemError));
    return AppError(75,
                    QCoreApplication::translate("CsvFile", "The file %1 could not be written (%2).")
                        .arg(file.fileName(), reason));
}
