#include "delayproxy.h"

#include <QByteArray>
#include <QMap>
#include <QUrl>
#include <arpa/inet.h>
#include <chrono>
#include <deque>
#include <libpq-fe.h>
#include <memory>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

QMap<QString, QString> clientOptions(const QString& uri) {
    QMap<QString, QString> options;
    std::unique_ptr<PQconninfoOption, decltype(&PQconninfoFree)> parsed(
        PQconninfoParse(uri.toUtf8().constData(), nullptr), PQconninfoFree);
    for (const PQconninfoOption* option = parsed.get(); option && option->keyword; ++option)
        if (option->val)
            options.insert(option->keyword, QString::fromUtf8(option->val));
    return options;
}

// Nagle's algorithm would hold small packets back for the acknowledgement of the last.
void noDelay(int socket) {
    const int on = 1;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

int connectUpstream(const QString& host, int port) {
    if (host.startsWith('/')) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = (host + "/.s.PGSQL." + QString::number(port)).toUtf8();
        if (path.size() >= int(sizeof address.sun_path))
            return -1;
        std::copy(path.begin(), path.end(), address.sun_path);
        const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
            return socket;
        ::close(socket);
        return -1;
    }
    addrinfo hints{};
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(host.toUtf8().constData(), QByteArray::number(port).constData(), &hints,
                      &found) != 0)
        return -1;
    int socket = -1;
    for (addrinfo* a = found; a && socket < 0; a = a->ai_next) {
        socket = ::socket(a->ai_family, a->ai_socktype, a->ai_protocol);
        if (socket >= 0 && ::connect(socket, a->ai_addr, a->ai_addrlen) != 0) {
            ::close(socket);
            socket = -1;
        }
    }
    ::freeaddrinfo(found);
    if (socket >= 0)
        noDelay(socket);
    return socket;
}

bool writeAll(int socket, const QByteArray& bytes) {
    for (qsizetype sent = 0; sent < bytes.size();) {
        const ssize_t n =
            ::send(socket, bytes.constData() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += n;
    }
    return true;
}

} // namespace

// One client's connection and the server's for it.
struct DelayProxy::Link {
    Link(int client, int server) : client(client), server(server) {}
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;
    int client;
    int server;
    std::deque<std::pair<Clock::time_point, QByteArray>> held; // the client's, not yet sent on
    bool awaitingAnswer = false;
    bool closed = false;

    ~Link() {
        ::close(client);
        ::close(server);
    }
};

namespace {

// What came in on a socket; empty when it closed.
QByteArray received(int socket) {
    char buffer[65536];
    const ssize_t n = ::recv(socket, buffer, sizeof buffer, 0);
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
}

} // namespace

DelayProxy::DelayProxy(const QString& serverUri, int delayMs) : delayMs_(delayMs) {
    QMap<QString, QString> options = clientOptions(serverUri);
    if (options.isEmpty()) {
        failure_ = "the server's address cannot be read";
        return;
    }
    upstreamHost_ = options.value("host", "/var/run/postgresql").section(',', 0, 0);
    upstreamPort_ = options.value("port", "5432").section(',', 0, 0).toInt();
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(listener_, 64) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0 ||
        ::pipe(wakeUp_) != 0) {
        failure_ = "the proxy cannot listen on loopback";
        return;
    }
    QString uri = "postgresql://";
    if (options.contains("user"))
        uri += QUrl::toPercentEncoding(options.value("user")) + "@";
    uri += "127.0.0.1:" + QString::number(ntohs(address.sin_port)) + "/" +
           QUrl::toPercentEncoding(options.value("dbname")) + "?sslmode=disable";
    for (const char* where : {"host", "hostaddr", "port", "user", "dbname", "sslmode"})
        options.remove(where);
    for (auto option = options.begin(); option != options.end(); ++option)
        uri += "&" + option.key() + "=" + QUrl::toPercentEncoding(option.value());
    uri_ = uri;
    thread_ = std::thread([this] { serve(); });
}

DelayProxy::~DelayProxy() {
    if (thread_.joinable()) {
        const char stop = 0;
        (void)!::write(wakeUp_[1], &stop, 1);
        thread_.join();
    }
    for (int socket : {listener_, wakeUp_[0], wakeUp_[1]})
        if (socket >= 0)
            ::close(socket);
}

void DelayProxy::accepted(std::vector<std::unique_ptr<Link>>& links) {
    const int client = ::accept(listener_, nullptr, nullptr);
    if (client < 0)
        return;
    const int server = connectUpstream(upstreamHost_, upstreamPort_);
    if (server < 0) {
        ::close(client);
        return;
    }
    noDelay(client);
    links.push_back(std::make_unique<Link>(client, server));
}

void DelayProxy::serve() {
    std::vector<std::unique_ptr<Link>> links;
    const auto delay = std::chrono::milliseconds(delayMs_);
    for (;;) {
        std::vector<pollfd> watched{{wakeUp_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
        int timeout = -1;
        const Clock::time_point now = Clock::now();
        for (const auto& link : links) {
            watched.push_back({link->client, POLLIN, 0});
            watched.push_back({link->server, POLLIN, 0});
            if (!link->held.empty()) {
                const auto wait =
                    std::chrono::ceil<std::chrono::milliseconds>(link->held.front().first - now);
                const int ms = std::max(0, int(wait.count()));
                timeout = timeout < 0 ? ms : std::min(timeout, ms);
            }
        }
        if (::poll(watched.data(), watched.size(), timeout) < 0)
            continue;
        if (watched[0].revents)
            return;
        for (size_t i = 0; i < links.size(); ++i) {
            Link& link = *links[i];
            const short fromClient = watched[2 + 2 * i].revents;
            const short fromServer = watched[3 + 2 * i].revents;
            if (fromClient) {
                const QByteArray bytes = received(link.client);
                if (bytes.isEmpty())
                    link.closed = true;
                else
                    link.held.emplace_back(Clock::now() + delay, bytes);
            }
            if (fromServer && !link.closed) {
                const QByteArray bytes = received(link.server);
                if (link.awaitingAnswer && !bytes.isEmpty()) {
                    ++roundTrips_;
                    link.awaitingAnswer = false;
                }
                link.closed = bytes.isEmpty() || !writeAll(link.client, bytes);
            }
            while (!link.closed && !link.held.empty() && link.held.front().first <= Clock::now()) {
                link.closed = !writeAll(link.server, link.held.front().second);
                link.held.pop_front();
                link.awaitingAnswer = true;
            }
        }
        links.erase(std::remove_if(links.begin(), links.end(),
                                   [](const auto& link) { return link->closed; }),
                    links.end());
        if (watched[1].revents & POLLIN)
            accepted(links);
    }
}
