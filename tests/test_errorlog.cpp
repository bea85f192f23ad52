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
    ErrorLog::write("error in (CreateDB) : ", AppError(-2147467259, "Unspecified error"));
    QCOMPARE(env.log(), QString("error (main) : 91 -> Object variable not set\r\n"
                                "error in (CreateDB) : -2147467259 -> Unspecified error\r\n"));
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
    // A directory in the log's place cannot be opened as a file, even by root.
    const QString path = env.makeDir("program/blocked.log");
    ErrorLog::open(path);
    ErrorLog::write("error (main) : ", 5, "lost, without harm");
    QVERIFY(QFileInfo(path).isDir());
}

QTEST_MAIN(ErrorLogTest)
#include "test_errorlog.moc"
