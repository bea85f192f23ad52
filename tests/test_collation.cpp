#include "support/testenv.h"

#include "db/engine/arabiccollation.h"
#include "db/engine/connection.h"
#include "db/upkeep/onlinebackup.h"

#include <QCollator>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

namespace {

int sign(int value) {
    return (value > 0) - (value < 0);
}

// The order the program kept before it called the collator on the engine's UTF-8 itself.
const QCollator& qtCollator() {
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Arabic, QLocale::SaudiArabia));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

int icuOrder(const QString& a, const QString& b) {
    const QByteArray x = a.toUtf8();
    const QByteArray y = b.toUtf8();
    return sign(compareArabicUtf8(x.constData(), int(x.size()), y.constData(), int(y.size())));
}

// Names as a clinic types them: Latin and Arabic letters in both cases, the alef and hamza
// forms, vowel marks, accents typed precomposed or as a combining mark, digits, spaces, hyphens.
QStringList sampleNames(int count) {
    const QStringList pieces{"a",
                             "A",
                             "b",
                             "B",
                             "e",
                             "E",
                             "é",
                             "e\u0301",
                             "É",
                             "i",
                             "l",
                             "L",
                             "m",
                             "n",
                             "o",
                             "O",
                             "r",
                             "s",
                             "S",
                             "t",
                             "y",
                             "z",
                             "Z",
                             "ß",
                             "ss",
                             " ",
                             "-",
                             "'",
                             "0",
                             "1",
                             "9",
                             "10",
                             "\u0627",
                             "\u0623",
                             "\u0625",
                             "\u0622",
                             "\u0627\u0653",
                             "\u0628",
                             "\u062A",
                             "\u062B",
                             "\u062D",
                             "\u062E",
                             "\u062F",
                             "\u0630",
                             "\u0631",
                             "\u0632",
                             "\u0633",
                             "\u0634",
                             "\u0639",
                             "\u063A",
                             "\u0641",
                             "\u0642",
                             "\u0643",
                             "\u0644",
                             "\u0645",
                             "\u0646",
                             "\u0647",
                             "\u0629",
                             "\u0648",
                             "\u0624",
                             "\u064A",
                             "\u0649",
                             "\u0626",
                             "\u0621",
                             "\u064E",
                             "\u064F",
                             "\u0650",
                             "\u0651",
                             "\u0652",
                             "\u0640",
                             "\u0660",
                             "\u0669",
                             "\u06CC",
                             "\u067E"};
    QRandomGenerator random(16);
    QStringList names{QString(), " ", "\u0640"};
    while (names.size() < count) {
        QString name;
        const int length = 1 + int(random.bounded(9));
        for (int i = 0; i < length; ++i)
            name += pieces[int(random.bounded(pieces.size()))];
        names << name << name.toUpper() << name.toLower();
    }
    return names;
}

} // namespace

// The collator called on the engine's UTF-8 gives the order and the equality that the program
// had through Qt's collator, and databases record which rules built their indexes.
class CollationTest : public QObject {
    Q_OBJECT
  private slots:
    void sameOrderAndEqualityAsQtCollator();
    void datesAndNumbersInTheCollatorsOrder();
    void engineSortsAndComparesWithIt();
    void newDatabaseRecordsTheCollatorVersion();
    void theSqliteToolChecksAndCountsACopyWithTheExtension();
};

void CollationTest::sameOrderAndEqualityAsQtCollator() {
    const QStringList names = sampleNames(30000);
    QRandomGenerator random(4);
    int equal = 0;
    const int last = int(names.size()) - 1;
    for (int i = 0; i < 300000; ++i) {
        const int first = int(random.bounded(names.size()));
        // Two pairs in three compare neighbours: names of one stem in other letter cases.
        const int second = i % 3 == 0 ? int(random.bounded(names.size()))
                                      : std::min(first + int(random.bounded(3)), last);
        const QString& a = names[first];
        const QString& b = names[second];
        const int expected = sign(qtCollator().compare(a, b));
        equal += expected == 0;
        if (icuOrder(a, b) != expected)
            QFAIL(qPrintable(QString("'%1' against '%2': %3, expected %4")
                                 .arg(a, b)
                                 .arg(icuOrder(a, b))
                                 .arg(expected)));
    }
    QVERIFY2(equal > 50000, qPrintable(QString::number(equal)));

    QStringList byQt = names;
    std::stable_sort(byQt.begin(), byQt.end(), [](const QString& a, const QString& b) {
        return qtCollator().compare(a, b) < 0;
    });
    QStringList byIcu = names;
    std::stable_sort(byIcu.begin(), byIcu.end(),
                     [](const QString& a, const QString& b) { return icuOrder(a, b) < 0; });
    QCOMPARE(byIcu, byQt);
}

void CollationTest::datesAndNumbersInTheCollatorsOrder() {
    // Every text of up to three of the characters that dates, file numbers and codes are made
    // of, a few others among them, and some as typed: the order the collation gives them
    // without the collator is its own.
    const QString characters = "0123456789/- aB._";
    QStringList texts{"", "31/12/2026", "01/01/2027", "12/2026", "2026-12-31", "000123", "99"};
    for (const QChar a : characters) {
        texts << QString(a);
        for (const QChar b : characters) {
            texts << QString(a) + b;
            for (const QChar c : characters)
                texts << QString(a) + b + c;
        }
    }
    QStringList byQt = texts;
    std::sort(byQt.begin(), byQt.end(),
              [](const QString& a, const QString& b) { return qtCollator().compare(a, b) < 0; });
    QStringList byIcu = texts;
    std::sort(byIcu.begin(), byIcu.end(),
              [](const QString& a, const QString& b) { return icuOrder(a, b) < 0; });
    QCOMPARE(byIcu, byQt);
}

namespace {

const QStringList kOrderedNames{"أحمد", "بدر", "ياسر", "ahmad", "emile", "Émile", "Zaid"};

QString databaseWithNames(TestEnv& env) {
    const QString path = env.createDatabase();
    QSqlDatabase db = openDatabase(path);
    for (const char* name : {"Zaid", "ياسر", "أحمد", "ahmad", "Émile", "emile", "بدر"})
        runQuery(db, "INSERT INTO per_inf_data (file_num, pt_name) VALUES ('1', ?)", {name});
    return path;
}

} // namespace

void CollationTest::engineSortsAndComparesWithIt() {
    TestEnv env;
    QSqlDatabase db = openDatabase(databaseWithNames(env));
    QStringList ordered;
    QSqlQuery query = runQuery(db, "SELECT pt_name FROM per_inf_data ORDER BY pt_name, id");
    while (query.next())
        ordered << query.value(0).toString();
    // The Arabic locale puts its own script first.
    QCOMPARE(ordered, kOrderedNames);
    QSqlQuery zaid = runQuery(db, "SELECT count(*) FROM per_inf_data WHERE pt_name = ?", {"zAiD"});
    QVERIFY(zaid.next());
    QCOMPARE(zaid.value(0).toInt(), 1);
}

void CollationTest::newDatabaseRecordsTheCollatorVersion() {
    TestEnv env;
    QSqlDatabase db = openDatabase(env.createDatabase());
    QSqlQuery query = runQuery(db, "SELECT collation, version FROM collation_version");
    QVERIFY(query.next());
    QCOMPARE(query.value(0).toString(), QString("ARABIC"));
    QCOMPARE(query.value(1).toString(), arabicCollationVersion());
    QVERIFY(arabicCollationVersion().contains('.'));
    QVERIFY(!query.next());
}

// Debian's sqlite3 with the packaged extension checks, counts and orders a backup as the
// program does; without it every such statement fails on the unknown collation.
void CollationTest::theSqliteToolChecksAndCountsACopyWithTheExtension() {
    TestEnv env;
    const QString copy = env.root() + "/copy.mdb";
    QCOMPARE(writeDatabaseCopy(databaseWithNames(env), copy), QString());
    QProcess sqlite;
    sqlite.start("sqlite3", {"-cmd", ".load " ARABIC_EXTENSION, copy,
                             "PRAGMA integrity_check; SELECT count(*) FROM per_inf_data; "
                             "SELECT pt_name FROM per_inf_data ORDER BY pt_name, id;"});
    QVERIFY(sqlite.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(sqlite.readAllStandardError()), QString());
    QCOMPARE(sqlite.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(sqlite.readAllStandardOutput()),
             "ok\n7\n" + kOrderedNames.join('\n') + '\n');
}

QTEST_MAIN(CollationTest)
#include "test_collation.moc"
