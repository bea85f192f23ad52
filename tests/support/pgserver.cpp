#include "pgserver.h"

#include "db/connection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <pwd.h>
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

} // namespace

PgServer::PgServer() {
    char pattern[] = "/tmp/korvel-pg-XXXXXX";
    if (!mkdtemp(pattern)) {
        failure_ = "no temporary directory";
        return;
    }
    root_ = QString::fromLocal8Bit(pattern);
    // The socket's name holds the port; the directory is private, so any port is free in it.
    port_ = 5433;
    if (!giveToServerUser(root_)) {
        failure_ = "no \"postgres\" user to run the server (is postgresql-15 installed?)";
        return;
    }
    if (!run({QString(kBin) + "initdb", "-D", root_ + "/data", "-U", "postgres", "-A", "trust",
              "-E", "UTF8", "--locale=C.UTF-8"}))
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
    return "-k " + root_ + " -p " + QString::number(port_) + " -c listen_addresses='' -c fsync=off";
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
    return "postgresql://postgres@/" + database + "?host=" + root_ +
           "&port=" + QString::number(port_);
}
