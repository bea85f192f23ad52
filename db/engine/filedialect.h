#pragma once

#include "db/engine/dialect.h"

// A database file on the engine linked into the program.
class FileDialect : public Dialect {
  public:
    AppError error(const QSqlError& error) const override;
};

// The kind of a result code of the file's engine, and its failure, for the engine's own interface.
ErrorKind fileErrorKind(int resultCode);
AppError fileEngineError(int resultCode, const QString& text);
