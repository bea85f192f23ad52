#include "db/engine/serveraddress.h"

#include <QMap>
#include <memory>
#include <postgresql/libpq-fe.h>

namespace {

// The options the client library reads in the URI, by keyword; nothing when it cannot read it.
std::optional<QMap<QString, QString>> clientOptions(const QString& uri) {
    char* failure = nullptr;
    std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> parsed(
        PQconninfoParse(uri.toUtf8().constData(), &failure), PQconninfoFree);
    PQfreemem(failure);
    if (!parsed)
        return std::nullopt;
    QMap<QString, QString> options;
    for (const PQconninfoOption* option = parsed.get(); option->keyword; ++option) {
        if (option->val)
            options.insert(QString::fromUtf8(option->keyword), QString::fromUtf8(option->val));
    }
    return options;
}

QString quoted(QString value) {
    return "'" + value.replace('\\', "\\\\").replace('\'', "\\'") + "'";
}

} // namespace

QString ServerAddress::describe() const {
    QString text = database + " on " + (host.isEmpty() ? QString("localhost") : host) + ":" +
                   QString::number(port);
    if (!user.isEmpty())
        text += " as " + user;
    return text;
}

bool isServerUri(const QString& text) {
    return text.startsWith("postgresql://") || text.startsWith("postgres://");
}

bool holdsPassword(const QString& uri) {
    const auto options = clientOptions(uri);
    return options && options->contains("password");
}

std::optional<ServerAddress> parseServerUri(const QString& uri) {
    if (!isServerUri(uri))
        return std::nullopt;
    const auto options = clientOptions(uri);
    if (!options || options->contains("password"))
        return std::nullopt;
    ServerAddress address;
    address.host = options->value("host");
    address.port = options->value("port", "5432").section(',', 0, 0).toInt();
    address.database = options->value("dbname");
    address.user = options->value("user");
    if (address.database.isEmpty() || address.port <= 0)
        return std::nullopt;
    for (auto option = options->begin(); option != options->end(); ++option) {
        // Qt's driver reads ';' in its options as a separator, even inside quotes.
        if (option.value().contains(';'))
            return std::nullopt;
        address.options += option.key() + "=" + quoted(option.value()) + " ";
    }
    address.options.chop(1);
    return address;
}
