#pragma once

#include "floor.h"

struct pg_conn;
struct pg_result;

// The floor on a PostgreSQL server: libpq, one round trip a statement, every value read as the
// text the server sends. A query whose rows are read only in part asks the server for no more
// than those (a LIMIT), as the server would otherwise send them all.
class BareServer : public Floor {
  public:
    // A libpq connection URI.
    explicit BareServer(const QString& uri);
    ~BareServer() override;
    BareServer(const BareServer&) = delete;
    BareServer& operator=(const BareServer&) = delete;

    int read(const char* sql, const QVariantList& values = {}, int limit = -1) override;
    QVector<QStringList> texts(const char* sql, const QVariantList& values, int limit) override;
    void run(const char* sql, const QVariantList& values = {}) override;
    qint64 number(const char* sql, const QVariantList& values = {}) override;

  private:
    // The statement run with its values; the caller clears the result.
    pg_result* executed(const char* sql, const QVariantList& values, int limit = -1);
    [[noreturn]] void fail() const;

    pg_conn* connection_ = nullptr;
};
