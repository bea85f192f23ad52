#pragma once

#include <QString>

// A PostgreSQL 15 server of the test's own: a cluster made in a temporary directory, listening
// on a Unix socket in that directory, stopped and removed when it goes out of scope. The server
// refuses to run as root, so under root it runs as the "postgres" system user.
class PgServer {
  public:
    // How desks reach it: the socket alone, or also TCP on a free loopback port, in plain or
    // encrypted with a certificate made for the test (the client library never encrypts a socket).
    enum class Link { Socket, Loopback, LoopbackTls };
    explicit PgServer(Link link = Link::Socket);
    ~PgServer();
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    // Empty when the server runs; else why it could not be started.
    QString failure() const { return failure_; }
    // A new empty database on the server; false when it could not be made.
    bool createDatabase(const QString& name);
    // The connection URI of a database on the server, as the user would give it.
    QString uri(const QString& database) const;
    int port() const { return port_; }
    // Stops the server and starts it again, as a power cut or an update of the server does.
    bool restart();

  private:
    bool run(const QStringList& command);
    bool makeCertificate();
    // Only a Unix socket in the cluster's directory; no disk syncs, for speed.
    QString options() const;

    Link link_;
    QString root_;
    int port_ = 0;
    bool running_ = false;
    QString failure_;
};
