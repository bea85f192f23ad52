#include "reportengine/plainglyphs.h"

#include "reportengine/textlines.h"

PlainGlyphs::PlainGlyphs(const QFont& font) : raw_(QRawFont::fromFont(font)) {
    QString characters;
    for (char16_t c = 0; c < kPlainLatinEnd; ++c)
        characters += QChar(c);
    glyphs_.assign(characters.size(), 0);
    advances_.assign(characters.size(), 0);
    if (!raw_.isValid())
        return;
    int count = int(glyphs_.size());
    if (!raw_.glyphIndexesForChars(characters.constData(), int(characters.size()), glyphs_.data(),
                                   &count))
        glyphs_.assign(characters.size(), 0);
    const QList<QPointF> advances = raw_.advancesForGlyphIndexes(
        QList<quint32>(glyphs_.begin(), glyphs_.end()), QRawFont::SeparateAdvances);
    for (int i = 0; i < advances.size(); ++i)
        advances_[i] = advances[i].x();
    // Control characters take the full layout, which knows what to make of them.
    for (char16_t c = 0; c < kPlainLatinEnd; ++c)
        if (QChar(c).category() == QChar::Other_Control)
            glyphs_[c] = 0;
}

bool PlainGlyphs::covers(const QString& text) const {
    for (QChar c : text)
        if (c.unicode() >= glyphs_.size() || glyphs_[c.unicode()] == 0)
            return false;
    return true;
}

qreal PlainGlyphs::width(const QString& text) const {
    qreal width = 0;
    for (QChar c : text)
        width += advances_[c.unicode()];
    return width;
}

void PlainGlyphs::addTo(QList<quint32>& glyphs, QList<QPointF>& positions, const QString& text,
                        qreal x, qreal y) const {
    for (QChar c : text) {
        glyphs << glyphs_[c.unicode()];
        positions << QPointF(x, y);
        x += advances_[c.unicode()];
    }
}
