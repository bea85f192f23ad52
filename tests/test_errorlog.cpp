#include "support/testenv.h"

#include "core/apperror.h"
#include "core/errorlog.h"

#include <QFile>
#include <QTest>

class ErrorLogTest : public QObject {
    Q_OBJECT
  private slots:
    void entriesHaveTheFixedShapeWithCrLf();
    void openingEmptiesTheLogOfTheLastRun();
    void aLogThatCannotBeOpenedIsIgnored();
};

void ErrorLogTest::entriesHaveTheFixedShapeWithCrLf() {
    TestEnv env;
    ErrorLog::write("error (main) : ", 91, "Object variable not set");
    ErrorLog::write("error in (CreateDB) : ", AppError(-2147418113, "Catastrophic failure"));
    QCOMPARE(env.log(), QString("error (main) : 91 -> Object variable not set\r\n"
                                "error in (CreateDB) : -2147418113 -> Catastrophic failure\r\n"));
}

void ErrorLogTest::openingEmptiesTheLogOfTheLastRun() {
    TestEnv env;
    ErrorLog::write("error (ValidDB) : ", 26, "file is not a database");
    ErrorLog::open(env.programDirectory() + "/errors.log");
    QCOMPARE(env.log(), QString());
    ErrorLog::write("error (SetDefaults) : ", 1, "نص عربي");
    QCOMPARE(env.log(), QString("error (SetDefaults) : 1 -> نص عربي\r\n"));
}

void ErrorLogTest::aLogThatCannotBeOpenedIsIgnored() {
    TestEnv env;
    const QString earlier = env.root() + "/earlier.log";
    ErrorLog::open(earlier);
    ErrorLog::write("error (main) : ", 1, "kept");
    // A directory in the log's place cannot be opened as a file, even by root.
    ErrorLog::open(env.makeDir("program/blocked.log"));
    ErrorLog::write("error (main) : ", 5, "lost, without harm");
    QFile file(earlier);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), QString("error (main) : 1 -> kept\r\n"));
}

QTEST_MAIN(ErrorLogTest)
#include "test_errorlog.moc"
