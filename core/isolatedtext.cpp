#include "core/isolatedtext.h"

#include <QList>
#include <algorithm>

namespace {

constexpr QChar kLeftToRightIsolate(0x2066);
constexpr QChar kPopDirectionalIsolate(0x2069);
constexpr QChar kLeftToRightMark(0x200E);

bool isRightToLeft(QChar c) {
    const QChar::Direction direction = c.direction();
    return direction == QChar::DirR || direction == QChar::DirAL;
}

bool isLeftToRight(QChar c) {
    const QChar::Direction direction = c.direction();
    return direction == QChar::DirL || direction == QChar::DirEN || direction == QChar::DirAN;
}

enum class Word { RightToLeft, LeftToRight, Neutral };

Word kindOf(QStringView word) {
    bool leftToRight = false;
    for (const QChar c : word) {
        if (isRightToLeft(c))
            return Word::RightToLeft;
        leftToRight = leftToRight || isLeftToRight(c);
    }
    return leftToRight ? Word::LeftToRight : Word::Neutral;
}

// Punctuation that closes a sentence or a clause belongs to the Arabic around the run.
int withoutClosingPunctuation(QStringView line, int end, int start) {
    static const QString closing = QStringLiteral(".,:;!?");
    while (end > start && closing.contains(line[end - 1]))
        --end;
    return end;
}

QString isolatedLine(QStringView line, QChar open, QChar close) {
    struct Span {
        int start;
        int end;
        Word kind;
    };
    QList<Span> words;
    for (int i = 0; i < line.size();) {
        if (line[i].isSpace()) {
            ++i;
            continue;
        }
        int end = i;
        while (end < line.size() && !line[end].isSpace())
            ++end;
        words.append({i, end, kindOf(line.mid(i, end - i))});
        i = end;
    }
    QString result;
    int copied = 0;
    for (int w = 0; w < words.size(); ++w) {
        if (words[w].kind != Word::LeftToRight)
            continue;
        int last = w;
        for (int next = w + 1; next < words.size() && words[next].kind != Word::RightToLeft; ++next)
            if (words[next].kind == Word::LeftToRight)
                last = next;
        const int start = words[w].start;
        int end = words[last].end;
        if (w > 0 || last + 1 < words.size())
            end = std::max(withoutClosingPunctuation(line, end, words[last].start),
                           words[last].start + 1);
        result += line.mid(copied, start - copied);
        result += open;
        result += line.mid(start, end - start);
        result += close;
        copied = end;
        w = last;
    }
    result += line.mid(copied);
    return result;
}

QString eachLine(const QString& text, QChar open, QChar close) {
    QStringList lines;
    for (const QStringView line : QStringView(text).split(u'\n'))
        lines << isolatedLine(line, open, close);
    return lines.join('\n');
}

} // namespace

QString isolatedForRightToLeft(const QString& text) {
    return eachLine(text, kLeftToRightIsolate, kPopDirectionalIsolate);
}

QString markedForRightToLeft(const QString& text) {
    return eachLine(text, kLeftToRightMark, kLeftToRightMark);
}

QString isolatedIn(Qt::LayoutDirection direction, const QString& text) {
    return direction == Qt::RightToLeft ? isolatedForRightToLeft(text) : text;
}
