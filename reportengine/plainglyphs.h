#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QString>
#include <vector>

// The glyphs of one font for the characters that the font itself holds among the plain Latin
// ones (the bulk of a report: numbers, dates, names), each looked up once. A line made only of
// them is measured and drawn from these, glyph after glyph, without being laid out anew; any
// other text goes through the full text layout.
class PlainGlyphs {
  public:
    explicit PlainGlyphs(const QFont& font);

    // True when every character of the text has a glyph here.
    bool covers(const QString& text) const;
    // The width of a covered text, in the font's pixels.
    qreal width(const QString& text) const;
    // Adds a covered text's glyphs and their places, starting at x on the baseline y.
    void addTo(QList<quint32>& glyphs, QList<QPointF>& positions, const QString& text, qreal x,
               qreal y) const;
    // The glyphs' font, for a run of them.
    const QRawFont& rawFont() const { return raw_; }

  private:
    QRawFont raw_;
    // By character code below the end of the plain range; glyph 0 where the font has none.
    std::vector<quint32> glyphs_;
    std::vector<qreal> advances_;
};
