#include "db/serveraddress.h"

#include <QUrl>
#include <QUrlQuery>

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

std::optional<ServerAddress> parseServerUri(const QString& uri) {
    if (!isServerUri(uri))
        return std::nullopt;
    const QUrl url(uri);
    if (!url.isValid())
        return std::nullopt;
    ServerAddress address;
    address.host = url.host();
    address.port = url.port(5432);
    address.database = url.path().mid(1);
    address.user = url.userName();
    const QUrlQuery query(url);
    if (query.hasQueryItem("host"))
        address.host = query.queryItemValue("host", QUrl::FullyDecoded);
    if (query.hasQueryItem("port"))
        address.port = query.queryItemValue("port").toInt();
    if (query.hasQueryItem("dbname"))
        address.database = query.queryItemValue("dbname", QUrl::FullyDecoded);
    if (query.hasQueryItem("user"))
        address.user = query.queryItemValue("user", QUrl::FullyDecoded);
    if (address.database.isEmpty() || address.port <= 0)
        return std::nullopt;
    return address;
}
