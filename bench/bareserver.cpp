#include "bareserver.h"

#include <cstdio>
#include <cstdlib>
#include <libpq-fe.h>
#include <vector>

namespace {

// Keeps the compiler from dropping reads whose values nobody looks at.
volatile std::size_t gSink = 0;

// The server numbers its placeholders.
QByteArray serverStatement(const char* sql, int limit) {
    QByteArray text;
    int placeholders = 0;
    for (const char* c = sql; *c; ++c) {
        if (*c == '?')
            text += '$' + QByteArray::number(++placeholders);
        else
            text += *c;
    }
    if (limit >= 0)
        text += " limit " + QByteArray::number(limit);
    return text;
}

} // namespace

BareServer::BareServer(const QString& uri) : connection_(PQconnectdb(uri.toUtf8().constData())) {
    if (PQstatus(connection_) != CONNECTION_OK)
        fail();
    // A new session first reads the tables' descriptions and loads the collator, which the
    // program's session did as it started: neither is the query's.
    for (const char* table : {"per_inf_data", "pt_sh", "po_descs", "inv_rep_data"})
        read(("select * from " + QByteArray(table)).constData(), {}, 1);
    read("select 1 where 'a' = 'A' collate korvel_arabic");
}

BareServer::~BareServer() {
    PQfinish(connection_);
}

void BareServer::fail() const {
    std::fprintf(stderr, "server: %s\n", PQerrorMessage(connection_));
    std::exit(1);
}

PGresult* BareServer::executed(const char* sql, const QVariantList& values, int limit) {
    std::vector<QByteArray> texts;
    std::vector<const char*> parameters;
    for (const QVariant& value : values)
        texts.push_back(value.toString().toUtf8());
    for (size_t i = 0; i < texts.size(); ++i)
        parameters.push_back(values[int(i)].isNull() ? nullptr : texts[i].constData());
    PGresult* result =
        PQexecParams(connection_, serverStatement(sql, limit).constData(), int(parameters.size()),
                     nullptr, parameters.data(), nullptr, nullptr, 0);
    const ExecStatusType status = PQresultStatus(result);
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
        PQclear(result);
        fail();
    }
    return result;
}

int BareServer::read(const char* sql, const QVariantList& values, int limit) {
    PGresult* result = executed(sql, values, limit);
    const int rows = PQntuples(result);
    const int columns = PQnfields(result);
    std::size_t bytes = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            bytes += static_cast<unsigned char>(PQgetvalue(result, r, c)[0]) +
                     std::size_t(PQgetlength(result, r, c));
    PQclear(result);
    gSink = gSink + bytes;
    return rows;
}

QVector<QStringList> BareServer::texts(const char* sql, const QVariantList& values, int limit) {
    PGresult* result = executed(sql, values, limit);
    QVector<QStringList> rows;
    for (int r = 0; r < PQntuples(result); ++r) {
        QStringList& row = rows.emplace_back();
        for (int c = 0; c < PQnfields(result); ++c)
            row << QString::fromUtf8(PQgetvalue(result, r, c), PQgetlength(result, r, c));
    }
    PQclear(result);
    return rows;
}

void BareServer::run(const char* sql, const QVariantList& values) {
    PQclear(executed(sql, values));
}

qint64 BareServer::number(const char* sql, const QVariantList& values) {
    PGresult* result = executed(sql, values);
    if (PQntuples(result) < 1) {
        PQclear(result);
        fail();
    }
    const qint64 value = QByteArray(PQgetvalue(result, 0, 0)).toLongLong();
    PQclear(result);
    return value;
}
