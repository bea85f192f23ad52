#include "support/testenv.h"

#include "app/runsettings.h"
#include "db/engine/connection.h"

#include <QTest>
#include <functional>
#include <optional>

// Each engine's failures, provoked for real, are recognised as the same kind of failure: the
// code that decides by the kind works alike on a file and on a server.
class ErrorKindsTest : public QObject {
    Q_OBJECT
  private slots:
    void eachFailureIsOfItsKind_data();
    void eachFailureIsOfItsKind();
};

namespace {

const char* const kTable = "CREATE TABLE kinds (k INTEGER PRIMARY KEY, "
                           "v TEXT NOT NULL CONSTRAINT short CHECK(length(v) < 3))";

// The kind of the failure that the work raises; none when it does not fail.
std::optional<ErrorKind> kindOfFailure(const std::function<void()>& work) {
    try {
        work();
    } catch (const AppError& error) {
        return error.kind();
    }
    return std::nullopt;
}

} // namespace

void ErrorKindsTest::eachFailureIsOfItsKind_data() {
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("heldElsewhere");
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<int>("kind");
    const QString once = "INSERT INTO kinds VALUES (1, 'a')";
    QTest::newRow("duplicate key") << "database"
                                   << "" << QStringList{once, once} << int(ErrorKind::Duplicate);
    QTest::newRow("check") << "database"
                           << "" << QStringList{"INSERT INTO kinds VALUES (1, 'abc')"}
                           << int(ErrorKind::Refused);
    QTest::newRow("not null") << "database"
                              << "" << QStringList{"INSERT INTO kinds VALUES (1, NULL)"}
                              << int(ErrorKind::Refused);
    const QString readOnly =
        testsOnServer() ? "SET default_transaction_read_only = on" : "PRAGMA query_only = 1";
    QTest::newRow("read-only") << "database"
                               << "" << QStringList{readOnly, once} << int(ErrorKind::ReadOnly);
    // The other connection's uncommitted row keeps this one waiting: a file for its two seconds,
    // a server as long as this session allows.
    const QStringList waiting =
        testsOnServer() ? QStringList{"SET lock_timeout = 50", once} : QStringList{once};
    QTest::newRow("busy") << "database" << once << waiting << int(ErrorKind::Busy);
    if (testsOnServer())
        QTest::newRow("server not reached")
            << "lost"
            << "" << QStringList{"SELECT 1"} << int(ErrorKind::ConnectionLost);
    else
        QTest::newRow("not a database") << "garbage"
                                        << "" << QStringList{"SELECT count(*) FROM sqlite_master"}
                                        << int(ErrorKind::NotADatabase);
}

void ErrorKindsTest::eachFailureIsOfItsKind() {
    QFETCH(QString, where);
    QFETCH(QString, heldElsewhere);
    QFETCH(QStringList, statements);
    QFETCH(int, kind);
    TestEnv env;
    QString location = env.createDatabase();
    if (where == "garbage") {
        location = env.root() + "/garbage.db";
        writeFile(location, QByteArray(8192, 'x'));
    }
    if (where == "lost") {
        env.loseTheDatabase();
        location = AppSettings().dbserver;
    }
    std::optional<ScopedDatabase> other;
    const auto found = kindOfFailure([&] {
        ScopedDatabase database(location);
        if (where == "database")
            runQuery(database.db(), kTable);
        if (!heldElsewhere.isEmpty()) {
            other.emplace(location);
            beginTransaction(other->db());
            runQuery(other->db(), heldElsewhere);
        }
        for (const QString& statement : statements)
            runQuery(database.db(), statement);
    });
    QVERIFY(found);
    QCOMPARE(int(*found), kind);
}

QTEST_MAIN(ErrorKindsTest)
#include "test_errorkinds.moc"
