#include "db/engine/serverdatabase.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

// A desk installed without recommended packages has no PostgreSQL driver: the user is told which
// package brings it, not only Qt's "Driver not loaded".
class NoDriverTest : public QObject {
    Q_OBJECT

  private slots:
    void theMissingDriversPackageIsNamed() {
        const ServerCheck check = checkServerDatabase("postgresql://clinic@dbhost/korvel");
        QCOMPARE(check.state, ServerDatabaseState::Unreachable);
        QCOMPARE(check.why, QString("Could not reach the database korvel on dbhost:5432 as clinic: "
                                    "Qt's PostgreSQL driver is not installed. Install the package "
                                    "libqt6sql6-psql (sudo apt install libqt6sql6-psql) and try "
                                    "again."));
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // Qt finds its database drivers nowhere but in this empty folder, as if none were installed.
    QTemporaryDir noPlugins;
    QCoreApplication::setLibraryPaths({noPlugins.path()});
    NoDriverTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_nodriver.moc"
