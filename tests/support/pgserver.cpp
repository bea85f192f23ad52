#include "pgserver.h"

#include "db/engine/connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr auto kBin = "/usr/lib/postgresql/15/bin/";

bool asRoot() {
    return geteuid() == 0;
}

// Under root the cluster's directory must belong to the user that runs the server.
bool giveToServerUser(const QString& path) {
    if (!asRoot())
        return true;
    const passwd* user = getpwnam("postgres");
    return user && chown(QFile::encodeName(path).constData(), user->pw_uid, user->pw_gid) == 0;
}

// A port of the loopback that nothing listens on now.
int freeLoopbackPort() {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (bind(probe, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    close(probe);
    return port;
}

} // namespace

PgServer::PgServer(Link link) : link_(link) {
    char pattern[] = "/tmp/korvel-pg-XXXXXX";
    if (!mkdtemp(pattern)) {
        failure_ = "no temporary directory";
        return;
    }
    root_ = QString::fromLocal8Bit(pattern);
    // The socket's name holds the port; the directory is private, so any port is free in it.
    port_ = link_ == Link::Socket ? 5433 : freeLoopbackPort();
    if (!giveToServerUser(root_)) {
        failure_ = "no \"postgres\" user to run the server (is postgresql-15 installed?)";
        return;
    }
    if (!run({QString(kBin) + "initdb", "-D", root_ + "/data", "-U", "postgres", "-A", "trust",
              "-E", "UTF8", "--locale=C.UTF-8"}))
        return;
    if (link_ == Link::LoopbackTls && !makeCertificate())
        return;
    if (!run({QString(kBin) + "pg_ctl", "-D", root_ + "/data", "-l", root_ + "/server.log", "-o",
              options(), "-w", "start"}))
        return;
    running_ = true;
}

PgServer::~PgServer() {
    closeAllDatabases();
    if (running_)
        run({QString(kBin) + "pg_ctl", "-D", root_ + "/data", "-m", "immediate", "-w", "stop"});
    if (!root_.isEmpty())
        QDir(root_).removeRecursively();
}

bool PgServer::run(const QStringList& command) {
    QStringList arguments = command;
    QString program = arguments.takeFirst();
    if (asRoot()) {
        arguments = QStringList{"-u", "postgres", "--", program} + arguments;
        program = "runuser";
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        failure_ = command.join(' ') + " failed: " + QString::fromLocal8Bit(process.readAll());
        return false;
    }
    return true;
}

QString PgServer::options() const {
    QString options = "-k " + root_ + " -p " + QString::number(port_) + " -c fsync=off";
    options += link_ == Link::Socket ? " -c listen_addresses=''" : " -c listen_addresses=127.0.0.1";
    if (link_ == Link::LoopbackTls)
        options += " -c ssl=on -c ssl_cert_file=" + root_ +
                   "/data/server.crt -c ssl_key_file=" + root_ + "/data/server.key";
    return options;
}

// A self-signed certificate in the cluster's directory, its key readable by the server alone.
bool PgServer::makeCertificate() {
    const QString data = root_ + "/data/";
    if (!run({"openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt",
              "ec_paramgen_curve:prime256v1", "-nodes", "-days", "1", "-subj", "/CN=127.0.0.1",
              "-keyout", data + "server.key", "-out", data + "server.crt"}))
        return false;
    return QFile::setPermissions(data + "server.key", QFile::ReadOwner | QFile::WriteOwner);
}

bool PgServer::restart() {
    return run({QString(kBin) + "pg_ctl", "-D", root_ + "/data", "-m", "immediate", "-o", options(),
                "-w", "restart"});
}

bool PgServer::createDatabase(const QString& name) {
    try {
        ScopedDatabase server(uri("postgres"));
        runQuery(server.db(), "CREATE DATABASE " + name);
        return true;
    } catch (const AppError& error) {
        failure_ = error.description();
        return false;
    }
}

QString PgServer::uri(const QString& database) const {
    if (link_ != Link::Socket)
        return "postgresql://postgres@127.0.0.1:" + QString::number(port_) + "/" + database;
    return "postgresql://postgres@/" + database + "?host=" + root_ +
           "&port=" + QString::number(port_);
}
