#include "core/errorlog.h"

#include "core/apperror.h"
#include "core/ownerfiles.h"

#include <QFile>
#include <memory>

namespace {
std::unique_ptr<QFile> logFile;
}

namespace ErrorLog {

void open(const QString& path) {
    logFile = std::make_unique<QFile>(path);
    if (!OwnerFiles::open(*logFile, QIODevice::WriteOnly | QIODevice::Truncate))
        logFile.reset();
}

void close() {
    logFile.reset();
}

void write(const QString& label, int number, const QString& description) {
    if (!logFile)
        return;
    const QString entry = label + QString::number(number) + " -> " + description + "\r\n";
    logFile->write(entry.toUtf8());
    // Flushed at once so that the entries survive a crash later in the run.
    logFile->flush();
}

void write(const QString& label, const AppError& error) {
    write(label, error.number(), error.description());
}

} // namespace ErrorLog
