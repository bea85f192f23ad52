#pragma once

class QLineEdit;

// Lets only the characters "0" to "9" and Backspace reach the box; every other typed character
// (letters, signs, spaces, other digits) is discarded, and so is a paste of anything but digits.
// Keys that type no character (Delete, arrows, Tab, Enter) work as usual. However text arrives
// (typed, pasted from the menu, dropped, from an input method), the box holds only digits, at
// most maxDigits of them where that is given.
void installDigitFilter(QLineEdit* box, int maxDigits = -1);
