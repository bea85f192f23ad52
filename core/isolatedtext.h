#pragma once

#include <QString>

// Text shown inside a right-to-left line keeps the order of its left-to-right parts (numbers,
// amounts with their sign, dates, paths, Latin words, formulas such as "=1+1") only when each is
// isolated from the Arabic around it (LRI ... PDI); otherwise the neutral characters at its ends
// (a sign, a slash, an equals sign) join the Arabic and move to the other side. Each run of such
// words, with the spaces and punctuation between them, becomes one isolate; a full stop or colon
// that ends the run stays outside, with the Arabic sentence. Lines are isolated one by one.
QString isolatedForRightToLeft(const QString& text);

// The same with a left-to-right mark at both ends of each run instead of an isolate, for the
// item views, whose drawing does not honour isolates.
QString markedForRightToLeft(const QString& text);

// The text as a right-to-left interface shows it: isolated there, as it is in a left-to-right
// one.
QString isolatedIn(Qt::LayoutDirection direction, const QString& text);
