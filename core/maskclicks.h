#pragma once

class QLineEdit;

// A click in a box with an input mask that lands beyond its first unfilled position puts the
// cursor on that position: otherwise the cursor stands after the mask and typing goes nowhere.
void keepClicksInMask(QLineEdit* box);
