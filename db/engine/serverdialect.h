#pragma once

#include "db/engine/dialect.h"

// A database on a PostgreSQL server, reached through Qt's driver.
class ServerDialect : public Dialect {
  public:
    AppError error(const QSqlError& error) const override;
};
