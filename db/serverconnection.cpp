#include "db/serverconnection.h"

#include "core/apperror.h"

#include <QSqlError>
#include <QUuid>

ServerDatabase::ServerDatabase(const ServerAddress& address)
    : name_("korvel-server:" + QUuid::createUuid().toString()) {
    db_ = QSqlDatabase::addDatabase("QPSQL", name_);
    db_.setHostName(address.host);
    db_.setPort(address.port);
    db_.setDatabaseName(address.database);
    db_.setUserName(address.user);
    if (!db_.open()) {
        const QString reason = db_.lastError().text();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
        throw AppError(3704, "Could not reach the database " + address.describe() + ": " +
                                 reason.trimmed());
    }
}

ServerDatabase::~ServerDatabase() {
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}
