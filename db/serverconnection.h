#pragma once

#include "db/serveraddress.h"

#include <QSqlDatabase>

// A private connection to a database on a PostgreSQL server for one operation, closed and removed
// when it goes out of scope. An unreachable server raises AppError saying which server and why.
class ServerDatabase {
  public:
    explicit ServerDatabase(const ServerAddress& address);
    ~ServerDatabase();
    ServerDatabase(const ServerDatabase&) = delete;
    ServerDatabase& operator=(const ServerDatabase&) = delete;

    QSqlDatabase& db() { return db_; }

  private:
    QString name_;
    QSqlDatabase db_;
};
