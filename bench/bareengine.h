#pragma once

#include "floor.h"

struct sqlite3;
struct sqlite3_stmt;

// The floor on a database file: SQLite's own interface.
class BareEngine : public Floor {
  public:
    explicit BareEngine(const QString& path);
    ~BareEngine() override;
    BareEngine(const BareEngine&) = delete;
    BareEngine& operator=(const BareEngine&) = delete;

    int read(const char* sql, const QVariantList& values = {}, int limit = -1) override;
    QVector<QStringList> texts(const char* sql, const QVariantList& values, int limit) override;
    void run(const char* sql, const QVariantList& values = {}) override;
    qint64 number(const char* sql, const QVariantList& values = {}) override;

  private:
    sqlite3_stmt* prepared(const char* sql, const QVariantList& values);
    [[noreturn]] void fail() const;

    sqlite3* db_ = nullptr;
};
