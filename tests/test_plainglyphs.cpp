#include "reportengine/plainglyphs.h"
#include "reportengine/reportfonts.h"
#include "reportengine/textlines.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTest>

namespace {

QFont reportFont(double pointSize = 12) {
    return toQFont({"Times New Roman", pointSize, false});
}

} // namespace

class PlainGlyphsTest : public QObject {
    Q_OBJECT
  private slots:
    void coversTheLatinTextThatTheFontHolds_data();
    void coversTheLatinTextThatTheFontHolds();
    void measuresALineAsItsGlyphsAddUp();
    void aLineThatFitsStaysWholeAndALongerOneWraps();
};

void PlainGlyphsTest::coversTheLatinTextThatTheFontHolds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("covered");
    QTest::newRow("figures") << "A17 06/12/2026 1,500.00" << true;
    QTest::newRow("accented Latin") << QString::fromUtf8("Müller Ñandú") << true;
    QTest::newRow("nothing") << QString() << true;
    QTest::newRow("Arabic") << QString::fromUtf8("أحمد 12") << false;
    QTest::newRow("riyal sign with its mark") << QString::fromUtf8("ر.س.\u200F 10") << false;
    QTest::newRow("euro sign") << QString::fromUtf8("€ 10") << false;
    QTest::newRow("tab") << "a\tb" << false;
    QTest::newRow("line feed") << "a\nb" << false;
}

void PlainGlyphsTest::coversTheLatinTextThatTheFontHolds() {
    QFETCH(QString, text);
    QFETCH(bool, covered);
    QCOMPARE(PlainGlyphs(reportFont()).covers(text), covered);
}

void PlainGlyphsTest::measuresALineAsItsGlyphsAddUp() {
    const QFont font = reportFont();
    const QFontMetricsF metrics(font);
    const PlainGlyphs glyphs(font);
    const QString text = "0123456789/ Invoice";
    qreal sum = 0;
    for (QChar c : text)
        sum += metrics.horizontalAdvance(c);
    QVERIFY2(qAbs(glyphs.width(text) - sum) < 1,
             qPrintable(QString("%1 against %2").arg(glyphs.width(text)).arg(sum)));
    QCOMPARE(glyphs.width(QString()), 0.0);
    // Twice the text, twice the width: nothing is laid out between the glyphs.
    QVERIFY(qAbs(glyphs.width(text + text) - 2 * glyphs.width(text)) < 0.01);
    // A larger font is wider.
    QVERIFY(PlainGlyphs(reportFont(18)).width(text) > glyphs.width(text));
}

void PlainGlyphsTest::aLineThatFitsStaysWholeAndALongerOneWraps() {
    const QFont font = reportFont();
    const QFontMetricsF metrics(font);
    const PlainGlyphs glyphs(font);
    const QString text = "Obst. Gynae., Infertillity";
    const int width = int(std::ceil(glyphs.width(text)));

    QCOMPARE(breakLines(text, font, metrics, glyphs, width), QStringList{text});
    const QStringList wrapped = breakLines(text, font, metrics, glyphs, width / 2);
    QVERIFY(wrapped.size() >= 2);
    QCOMPARE(wrapped.join(' '), text);
    // Text that the glyphs do not cover is measured by the full layout.
    const QString arabic = QString::fromUtf8("عيادة الدكتور");
    QCOMPARE(breakLines(arabic, font, metrics, glyphs, 100000), QStringList{arabic});
}

QTEST_MAIN(PlainGlyphsTest)
#include "test_plainglyphs.moc"
