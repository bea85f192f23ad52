#include "upkeep/integritywatch.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/errorlog.h"
#include "db/engine/connection.h"
#include "db/upkeep/databasecare.h"
#include "db/upkeep/integrity.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <atomic>
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

// Each check started anew (start-up, another database) makes the ones before it moot: a check that
// gave way is taken up again only while it is still the latest, and only one reads at a time.
std::atomic<int> latest{0};
QPointer<QThread> running;

void checkInBackground(const QString& path, int generation);

// Runs on the main thread. A file that cannot even be checked is only logged: ordinary work on it
// tells the user its own failures. A check that gave way to a save is taken up again later.
void report(const QString& path, const Check& check, int generation) {
    if (check.failure && check.failure->kind() == ErrorKind::GaveWay)
        QTimer::singleShot(kRetryAfterGivingWay, QCoreApplication::instance(),
                           [path, generation] { checkInBackground(path, generation); });
    else if (check.failure)
        ErrorLog::write("error (main) : ", *check.failure);
    else if (!check.finding.isEmpty())
        dialogs().message(damagedDatabaseText(path, check.finding), Dialogs::Buttons::Ok,
                          Dialogs::Icon::Critical);
}

void checkInBackground(const QString& path, int generation) {
    if (generation != latest)
        return;
    auto result = std::make_shared<Check>();
    // A check stopped before its thread began is not begun at all.
    QThread* thread = QThread::create([path, result, generation] {
        if (generation == latest)
            *result = checked(path);
    });
    running = thread;
    QCoreApplication* app = QCoreApplication::instance();
    QObject::connect(thread, &QThread::finished, app, [path, result, thread, generation] {
        thread->deleteLater();
        if (generation == latest)
            report(path, *result, generation);
    });
    // The program may end while the check still reads the file.
    QObject::connect(app, &QCoreApplication::aboutToQuit, thread, [thread] { thread->wait(); });
    thread->start(QThread::LowPriority);
}

} // namespace

void stopDatabaseCheck() {
    ++latest;
    if (running) {
        askRunningCheckToGiveWay();
        running->wait();
    }
}

void checkDatabaseIntegrity(const QString& path, qint64 checkedBeforeStart) {
    stopDatabaseCheck();
    // A server checks and keeps its own storage.
    if (watchesOwnIntegrity(path))
        return;
    if (QFileInfo(path).size() <= checkedBeforeStart)
        report(path, checked(path), latest);
    else
        checkInBackground(path, latest);
}
