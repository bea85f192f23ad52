#include "db/engine/connection.h"

#include "db/engine/dialect.h"
#include "db/engine/enginestatements.h"
#include "db/engine/serveraddress.h"
#include "db/engine/serversession.h"
#include "db/engine/serverstatements.h"

#include <QFileInfo>
#include <QUuid>

namespace {

void removeConnection(const QString& name) {
    finalizeStatements(name);
    dropServerQueries(name);
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

QString sharedName(const QString& location) {
    return "korvel:" + (isServerUri(location) ? location : QFileInfo(location).absoluteFilePath());
}

QSqlDatabase openConnection(const QString& name, const QString& location, bool create) {
    return dialectAt(location).open(name, location, create);
}

} // namespace

QSqlDatabase openDatabase(const QString& location) {
    const QString name = sharedName(location);
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (dialectOf(db).servesOn(db))
            return db;
        db = QSqlDatabase();
        removeConnection(name);
    }
    QSqlDatabase db = openConnection(name, location, false);
    dialectOf(db).prepareShared(db);
    return db;
}

bool onServer(const QSqlDatabase& db) {
    return db.driverName() == "QPSQL";
}

void closeDatabase(const QString& path) {
    const QString name = sharedName(path);
    if (QSqlDatabase::contains(name))
        removeConnection(name);
}

void closeAllDatabases() {
    for (const QString& name : QSqlDatabase::connectionNames()) {
        if (name.startsWith("korvel:"))
            removeConnection(name);
    }
}

ScopedDatabase::ScopedDatabase(const QString& location, Mode mode)
    : name_("korvel-once:" + QUuid::createUuid().toString()),
      db_(openConnection(name_, location, mode == Mode::CreateFile)) {}

ScopedDatabase::~ScopedDatabase() {
    db_ = QSqlDatabase();
    removeConnection(name_);
}

void readOnceUnmapped(const QSqlDatabase& db) {
    dialectOf(db).readOnceUnmapped(db);
}

AppError databaseError(const QSqlError& error) {
    return dialectOf(error).error(error);
}

QSqlQuery runQuery(const QSqlDatabase& db, const QString& sql, const QVariantList& values) {
    return dialectOf(db).run(db, sql, values);
}

void beginTransaction(QSqlDatabase& db) {
    dialectOf(db).begin(db);
}

void commitTransaction(QSqlDatabase& db) {
    const bool committed = db.commit();
    noteTransaction(db, false);
    if (!committed)
        dialectOf(db).failCommit(db, databaseError(db.lastError()));
}

void rollBackTransaction(QSqlDatabase& db) {
    db.rollback();
    noteTransaction(db, false);
}
