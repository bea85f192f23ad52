#include "support/jetclinic.h"
#include "support/jetreadback.h"

#include <QTemporaryDir>
#include <QTest>

// The test files of the earlier program's database, read back by mdbtools: every value, every
// column's type, in every variant that the copy's tests use.
class TestJetFiles : public QObject {
    Q_OBJECT

  private slots:
    void readBackValueForValue_data() {
        QTest::addColumn<bool>("olderLayout");
        QTest::addColumn<bool>("arabic");
        QTest::addColumn<bool>("compressed");
        QTest::newRow("English, compressed text") << false << false << true;
        QTest::newRow("Arabic, compressed text") << false << true << true;
        QTest::newRow("Arabic, plain text") << false << true << false;
        QTest::newRow("older layout, Arabic") << true << true << true;
        QTest::newRow("older layout, English, plain text") << true << false << false;
    }

    void readBackValueForValue() {
        QFETCH(bool, olderLayout);
        QFETCH(bool, arabic);
        QFETCH(bool, compressed);
        QTemporaryDir dir;
        const QString path = dir.filePath("korvel_data.mdb");
        JetClinic clinic;
        clinic.olderLayout = olderLayout;
        clinic.arabicNames = arabic;
        const QList<JetTable> tables = jetClinicTables(clinic);
        writeJetTables(path, tables, compressed);

        QCOMPARE(tables.size(), olderLayout ? 5 : 6);
        for (const JetTable& table : tables) {
            QStringList expected;
            QStringList declared;
            for (qint64 i = 0; i < table.rowCount; ++i) {
                QStringList values;
                for (const QVariant& value : table.row(i))
                    values << (value.typeId() == QMetaType::Bool ? QString::number(value.toInt())
                                                                 : value.toString());
                expected << values.join("|");
            }
            for (const JetColumn& column : table.columns)
                declared << column.name + " " +
                                (column.type == JetType::Text
                                     ? QString("Text (%1)").arg(column.chars)
                                 : column.type == JetType::Long ? "Long Integer"
                                                                : "Boolean NOT NULL");
            QStringList read = mdbExportRows(path, table.name);
            // The moved row comes where it now stands; every row exactly once.
            read.sort();
            expected.sort();
            QCOMPARE(read, expected);
            QCOMPARE(mdbSchemaColumns(path, table.name), declared);
        }
    }
};

QTEST_GUILESS_MAIN(TestJetFiles)
#include "test_jetfiles.moc"
