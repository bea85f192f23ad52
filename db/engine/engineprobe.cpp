#include "db/engine/engineprobe.h"

#include "core/apperror.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

void checkDatabaseEngine() {
    const QString name = "korvel-probe";
    QString failure;
    {
        QSqlDatabase probe = QSqlDatabase::addDatabase("QSQLITE", name);
        probe.setDatabaseName(":memory:");
        QSqlQuery query(probe);
        if (!(probe.open() && query.exec("select 1") && query.next())) {
            const QSqlError error = probe.isOpen() ? query.lastError() : probe.lastError();
            failure = error.text().isEmpty() ? "The SQLite driver is not available" : error.text();
        }
    }
    QSqlDatabase::removeDatabase(name);
    if (!failure.isEmpty())
        throw AppError(ErrorNumber::Unexpected, failure);
}
