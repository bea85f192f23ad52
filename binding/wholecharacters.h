#pragma once

#include <QString>

class QLineEdit;

// Length limits count UTF-16 units, in which a character outside the basic plane (an emoji, a
// rare script) takes two: a limit that falls between them would keep half a character.

// The text cut to at most the length, never between the two halves of a character.
QString cutToLength(const QString& text, int length);
// Makes the box keep whole characters when its length limit cuts what is typed, pasted or
// dropped: the half that does not fit goes.
void keepWholeCharacters(QLineEdit* box);
