#include "support/testenv.h"

#include "app/runsettings.h"
#include "settings/settingsstore.h"

#include <QSettings>
#include <QTest>

class SettingsTest : public QObject {
    Q_OBJECT
  private slots:
    void firstWriteStoresEveryValue();
    void writesNeedAnExistingStore();
    void missingValuesReadAsEmpty();
    void arabicAndEmptyTextsRoundTrip();
};

void SettingsTest::firstWriteStoresEveryValue() {
    TestEnv env;
    QVERIFY(!SettingsKeyWritable());
    AppSettings().dbpath = "/data";
    AppSettings().reportspath = "/reports";
    AppSettings().letterhead = DefaultLetterhead();
    WriteAllSettings(AppSettings());
    QVERIFY(SettingsKeyWritable());

    QSettings store(QSettings::IniFormat, QSettings::UserScope, "ovrant", "korvel");
    QCOMPARE(store.allKeys().size(), 15);
    QVERIFY(store.contains("paymentkinds"));
    QVERIFY(store.contains("oldbackupspaths"));
    QCOMPARE(ReadRegValue("dbpath"), QString("/data"));
    QCOMPARE(ReadRegValue("reportspath"), QString("/reports"));
    QCOMPARE(ReadRegValue("clinicname"), QString("KORVEL"));
    QCOMPARE(ReadRegValue("drname"), QString("DR./ ZARETH MOLVANE"));
    QCOMPARE(ReadRegValue("qualifications1"), QString("Diploma London University"));
    QCOMPARE(ReadRegValue("qualifications2"), QString("Fach. Arzt. Germany."));
    QCOMPARE(ReadRegValue("qualifications3"), QString("Obst. Gynae., Infertillity"));
    QCOMPARE(ReadRegValue("licenseno"), QString("11-222-33-44-555"));
    QCOMPARE(ReadRegValue("telephone"), QString("5550100-5550199"));
    QVERIFY(store.contains("logo"));
    QVERIFY(store.contains("backupspath"));
    QCOMPARE(ReadRegValue("logo"), QString());
}

void SettingsTest::writesNeedAnExistingStore() {
    TestEnv env;
    SaveRegValue("clinicname", "Lost");
    QVERIFY(!SettingsKeyWritable());
    QCOMPARE(ReadRegValue("clinicname"), QString());
}

void SettingsTest::missingValuesReadAsEmpty() {
    TestEnv env;
    AppSettings().letterhead = DefaultLetterhead();
    WriteAllSettings(AppSettings());
    {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, "ovrant", "korvel");
        store.remove("drname");
        store.setValue("telephone", QStringList{"a", "b"}); // not a text value
    }
    ReadAllSettings(AppSettings());
    QCOMPARE(AppSettings().letterhead.drname, QString());
    QCOMPARE(AppSettings().letterhead.telephone, QString());
    QCOMPARE(AppSettings().letterhead.clinicname, QString("KORVEL"));
}

void SettingsTest::arabicAndEmptyTextsRoundTrip() {
    TestEnv env;
    WriteAllSettings(AppSettings());
    const QString arabic = QString("عيادة الشفاء, د. أحمد");
    SaveRegValue("clinicname", arabic);
    SaveRegValue("drname", "  spaced, with comma  ");
    SaveRegValue("qualifications1", "");
    QCOMPARE(ReadRegValue("clinicname"), arabic);
    QCOMPARE(ReadRegValue("drname"), QString("  spaced, with comma  "));
    QCOMPARE(ReadRegValue("qualifications1"), QString());
}

QTEST_MAIN(SettingsTest)
#include "test_settings.moc"
