#pragma once

#include "core/apperror.h"

#include <QSqlDatabase>
#include <QSqlError>

// Everything in which a database file and a database server differ, in one place for each
// engine: how their failures are recognised, the SQL text that differs between them, and what
// each looks after by itself.
class Dialect {
  public:
    virtual ~Dialect() = default;

    // The number, text and kind of an engine's failed operation. The number is the one the user
    // is shown, the same for the same failure on either engine.
    virtual AppError error(const QSqlError& error) const = 0;
};

// The dialect of a connection, and of the engine that reported a failure.
const Dialect& dialectOf(const QSqlDatabase& db);
const Dialect& dialectOf(const QSqlError& error);
