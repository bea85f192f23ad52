#pragma once

#include "db/engine/dialect.h"

// A database file on the engine linked into the program.
class FileDialect : public Dialect {
  public:
    QSqlDatabase open(const QString& name, const QString& location, bool create) const override;
    bool servesOn(const QSqlDatabase& db) const override;
    void prepareShared(const QSqlDatabase&) const override {}
    void readOnceUnmapped(const QSqlDatabase& db) const override;
    QSqlQuery run(const QSqlDatabase& db, const QString& sql,
                  const QVariantList& values) const override;
    std::unique_ptr<StatementRunner> statementsOn(const QSqlDatabase& db) const override;
    std::unique_ptr<RowSource> streamedRows(const QSqlDatabase& db, const QString& sql,
                                            const QVariantList& values) const override;
    void begin(QSqlDatabase& db) const override;
    [[noreturn]] void failCommit(QSqlDatabase& db, const AppError& error) const override;

    AppError error(const QSqlError& error) const override;

    QString collation() const override { return "ARABIC"; }
    QString counterColumn() const override { return "INTEGER PRIMARY KEY AUTOINCREMENT"; }
    QString wideInteger() const override { return "INTEGER"; }
    QString ruleName(const QString& message, const QString&) const override { return message; }
    QString matchesPattern(const QString& column) const override;
    QString holdsExactly(const QString& column, bool integer) const override;
    // The file gives rows in the order of the table or of the index it reads them by.
    QString storedOrder(const QString&) const override { return QString(); }
    QString tableExistsQuery() const override;
    QString indexExistsQuery() const override;
    QVector<QVector<QVariant>> tableColumns(Statements& statements,
                                            const QString& table) const override;
    // A database file is open at one desk only.
    QString lockAgainstWriters(const QString&) const override { return QString(); }

    bool statementsTravel() const override { return false; }
    bool servesManyDesks() const override { return false; }
    bool translatesLetters() const override { return false; }
    bool mayHoldOlderLayouts() const override { return true; }
    bool keepsOwnBackups() const override { return false; }
    bool compactsInPlace() const override { return false; }
    bool watchesOwnIntegrity() const override { return false; }
    bool readsOnceApart() const override { return true; }
};

// The kind of a result code of the file's engine, and its failure, for the engine's own interface.
ErrorKind fileErrorKind(int resultCode);
AppError fileEngineError(int resultCode, const QString& text);
