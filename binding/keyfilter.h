#pragma once

class QLineEdit;

// Lets only the characters "0" to "9" and Backspace reach the box; every other typed character
// (letters, signs, spaces, other digits) is discarded, and so is a paste of anything but digits.
// Keys that type no character (Delete, arrows, Tab, Enter) work as usual.
void installDigitFilter(QLineEdit* box);
