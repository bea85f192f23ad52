#include "app/integritywatch.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/errorlog.h"
#include "db/integrity.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <memory>
#include <optional>

namespace {

constexpr int kRetryAfterGivingWay = 60 * 1000;

struct Check {
    QString finding;
    std::optional<AppError> failure;
};

Check checked(const QString& path) {
    try {
        return {damageFound(path), std::nullopt};
    } catch (const AppError& error) {
        return {QString(), error};
    }
}

void checkInBackground(const QString& path);

// Runs on the main thread. A file that cannot even be checked is only logged: ordinary work on it
// tells the user its own failures. A check that gave way to a save is taken up again later.
void report(const QString& path, const Check& check) {
    if (check.failure && check.failure->number() == kCheckGaveWay)
        QTimer::singleShot(kRetryAfterGivingWay, QCoreApplication::instance(),
                           [path] { checkInBackground(path); });
    else if (check.failure)
        ErrorLog::write("error (main) : ", *check.failure);
    else if (!check.finding.isEmpty())
        dialogs().message(damagedDatabaseText(path, check.finding), Dialogs::Buttons::Ok,
                          Dialogs::Icon::Critical);
}

void checkInBackground(const QString& path) {
    auto result = std::make_shared<Check>();
    QThread* thread = QThread::create([path, result] { *result = checked(path); });
    QCoreApplication* app = QCoreApplication::instance();
    QObject::connect(thread, &QThread::finished, app, [path, result, thread] {
        thread->deleteLater();
        report(path, *result);
    });
    // The program may end while the check still reads the file.
    QObject::connect(app, &QCoreApplication::aboutToQuit, thread, [thread] { thread->wait(); });
    thread->start(QThread::LowPriority);
}

} // namespace

void checkDatabaseIntegrity(const QString& path, qint64 checkedBeforeStart) {
    if (QFileInfo(path).size() <= checkedBeforeStart)
        report(path, checked(path));
    else
        checkInBackground(path);
}
