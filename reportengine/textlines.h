#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>

class PlainGlyphs;

// The end of the plain Latin characters, which the report fonts themselves hold.
constexpr char16_t kPlainLatinEnd = 0x250;

// The lines that a text takes in a box of the given width: broken between words where it can,
// inside a word that is wider than the box, and at line feeds. A text that the font's plain
// glyphs cover is measured from them.
QStringList breakLines(const QString& text, const QFont& font, const QFontMetricsF& metrics,
                       const PlainGlyphs& glyphs, int width);

// True when the text has only Latin letters, which the report fonts themselves hold; other
// scripts (Arabic) come from fallback fonts with taller lines.
bool isPlainLatin(const QString& text);

// How far one line of text reaches below its baseline, in twips: the font's own descent for
// plain Latin, else what the fallback fonts of the line need.
qreal descentOf(const QString& line, const QFont& font, const QFontMetricsF& metrics);
