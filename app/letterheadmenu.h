#pragma once

#include "settings/settingkeys.h"

struct AppSettingsRecord;
class LetterheadPanel;

// One of the seven Settings items that edit a letterhead line.
struct LetterheadItem {
    const char* menuName;
    const char* text;
    // Shown as both prompt and title of the input box.
    const char* prompt;
    Setting line;
    const char* blankConfirmation;
    bool qualification;
};

// In the order of the Settings menu.
extern const LetterheadItem kLetterheadItems[7];

// Asks for the line's new value, pre-filled with the current one. A blank answer (or Cancel) is
// kept only when the user confirms it; otherwise the stored value is read back.
void editLetterheadItem(AppSettingsRecord& settings, const LetterheadItem& item,
                        LetterheadPanel* panel);
