#include "db/upkeep/copyends.h"

#include "core/apperror.h"
#include "core/filefailure.h"
#include "core/programdir.h"
#include "db/clinic/invoicecounter.h"
#include "db/clinic/payments.h"
#include "db/engine/connection.h"
#include "db/engine/serveraddress.h"
#include "db/engine/statements.h"
#include "db/upkeep/copylayout.h"
#include "db/upkeep/createdb.h"
#include "db/upkeep/validation.h"

#include <QFile>

namespace {

constexpr int kCopyRefused = 3704;

class FileEnd : public CopyEnd {
  public:
    explicit FileEnd(const QString& path) : database_(path) {}

    QSqlDatabase& db() override { return database_.db(); }

    qint64 counter(const QString& table, const QString&) override {
        return Statements(db())
            .value("SELECT seq FROM sqlite_sequence WHERE name = ?", {table})
            .toLongLong();
    }

    void setCounter(const QString& table, const QString&, qint64 value) override {
        // The engine keeps one row per table once a row was stored with a counter.
        Statements statements(db());
        if (statements.write("UPDATE sqlite_sequence SET seq = ? WHERE name = ?", {value, table}) ==
                0 &&
            value > 0)
            statements.write("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)",
                             {table, value});
    }

    void createTables() override {} // built before the copy, under a name of its own

  private:
    ScopedDatabase database_;
};

const QString& builtEmpty(const QString& path) {
    buildEmptyDatabaseFile(path);
    return path;
}

const QString& builtLike(const QString& path, const FileLayout& layout) {
    buildDatabaseFileLike(path, layout);
    return path;
}

// A new file is built under a name of its own and renamed into place once the copy is checked,
// so that no half-copied database ever stands under the name asked for.
class NewFileEnd : public FileEnd {
  public:
    NewFileEnd(const QString& path, const QString& buildPath)
        : FileEnd(builtEmpty(buildPath)), path_(path), buildPath_(buildPath) {}
    NewFileEnd(const QString& path, const QString& buildPath, const FileLayout& layout)
        : FileEnd(builtLike(buildPath, layout)), path_(path), buildPath_(buildPath) {}

    void complete() override {
        if (!QFile::rename(buildPath_, path_))
            throw pathAccessError(buildPath_ + " -> " + path_);
    }

    void abandon() override { QFile::remove(buildPath_); }

  private:
    QString path_;
    QString buildPath_;
};

class ServerEnd : public CopyEnd {
  public:
    explicit ServerEnd(const QString& uri) : database_(uri) {}

    QSqlDatabase& db() override { return database_.db(); }

    void holdSnapshot() override {
        Statements(db()).runOnce("SET TRANSACTION ISOLATION LEVEL REPEATABLE READ, READ ONLY");
    }

    qint64 counter(const QString& table, const QString& column) override {
        if (table == "pt_sh")
            return invoiceCounter(db());
        return Statements(db())
            .value("SELECT pg_sequence_last_value(pg_get_serial_sequence(?, ?)::regclass)",
                   {table, column})
            .toLongLong();
    }

    void setCounter(const QString& table, const QString& column, qint64 value) override {
        if (table == "pt_sh")
            return setInvoiceCounter(db(), value);
        // A sequence cannot stand below 1: an unused counter is set to give 1 next.
        Statements(db()).rows("SELECT setval(pg_get_serial_sequence(?, ?), ?, ?)",
                              {table, column, qMax<qint64>(value, 1), value > 0});
    }

    void createTables() override {
        if (holdsClinicTables(db()))
            throw AppError(kCopyRefused, "The server database already holds a clinic's tables.");
        createServerTables(db());
    }

  private:
    ScopedDatabase database_;
};

const QString& usableServerUri(const QString& uri) {
    if (!parseServerUri(uri))
        throw AppError(kCopyRefused, "Not a usable server address: " + uri);
    return uri;
}

} // namespace

std::unique_ptr<CopyEnd> openCopySource(const QString& where) {
    if (isServerUri(where))
        return std::make_unique<ServerEnd>(usableServerUri(where));
    if (!ValidDB(where))
        throw AppError(kCopyRefused, "Not a valid database file: " + where);
    checkedLayout(where);
    auto source = std::make_unique<FileEnd>(where);
    if (!hasPaymentTables(source->db()))
        throw AppError(kCopyRefused, "The file was last used by an earlier version of Korvel: "
                                     "start Korvel on it once to bring it up to date, then copy "
                                     "it.");
    return source;
}

std::unique_ptr<CopyEnd> openBackupSource(const QString& path) {
    checkedLayout(path);
    return std::make_unique<FileEnd>(path);
}

std::unique_ptr<CopyEnd> openBackupTarget(const QString& path, const QString& backup) {
    return std::make_unique<NewFileEnd>(path, path + ".new", checkedLayout(backup));
}

std::unique_ptr<CopyEnd> openCopyTarget(const QString& where) {
    if (isServerUri(where))
        return std::make_unique<ServerEnd>(usableServerUri(where));
    if (fileExists(where))
        throw AppError(kCopyRefused, "The file exists already: " + where);
    return std::make_unique<NewFileEnd>(where, where + ".new");
}
