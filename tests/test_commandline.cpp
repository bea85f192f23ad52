#include <QProcess>
#include <QTest>

// The program's answers to --help and --version, given without a display as on a server.
class CommandLineTest : public QObject {
    Q_OBJECT

  private:
    struct Answer {
        int exitCode;
        QString out;
        QString err;
    };

    static Answer run(const QStringList& arguments) {
        QProcess korvel;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        korvel.setProcessEnvironment(environment);
        korvel.start(KORVEL_EXE, arguments);
        if (!korvel.waitForFinished(30000))
            return {-1, "", "korvel did not finish"};
        return {korvel.exitStatus() == QProcess::NormalExit ? korvel.exitCode() : -1,
                QString::fromUtf8(korvel.readAllStandardOutput()),
                QString::fromUtf8(korvel.readAllStandardError())};
    }

  private slots:
    void versionPrintsTheProgramAndItsVersion() {
        for (const QString& option : QStringList{"--version", "-v"}) {
            const Answer answer = run({option});
            QCOMPARE(answer.exitCode, 0);
            QCOMPARE(answer.out, QString("korvel " KORVEL_VERSION "\n"));
            QCOMPARE(answer.err, QString());
        }
    }

    void helpTellsEveryWayToStartTheProgram() {
        for (const QString& option : QStringList{"--help", "-h"}) {
            const Answer answer = run({option});
            QCOMPARE(answer.exitCode, 0);
            QCOMPARE(answer.err, QString());
            for (const QString& part :
                 QStringList{"Usage: " KORVEL_EXE " [options]", "opens its main window",
                             "-h, --help", "-v, --version", "korvel --copy-database FROM TO",
                             "--copy-database <FROM TO>", "postgresql://user@host:5432/korvel"})
                QVERIFY2(answer.out.contains(part), qPrintable(part + " is not in\n" + answer.out));
        }
    }

    void anUnknownOptionIsRefusedWithAWayOn() {
        const Answer answer = run({"--version", "--bogus"});
        QCOMPARE(answer.exitCode, 2);
        QCOMPARE(answer.out, QString());
        QCOMPARE(answer.err, QString("Unknown option 'bogus'.\nTry korvel --help\n"));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_commandline.moc"
