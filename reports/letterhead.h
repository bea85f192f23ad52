#pragma once

#include "reportengine/reportdefinition.h"
#include "settings/settingkeys.h"

// The letterhead block: seven centred labels at the top left of a page header, which
// PrepareReport fills from the settings.
struct LetterheadLabel {
    Setting line; // the label carries the setting's name
    const char* designCaption;
};
extern const LetterheadLabel kLetterheadLabels[7];

// Puts the letterhead, the report's title to its right and a rule across the page into the page
// header. Returns where the space under the rule begins.
int addLetterhead(Report& report, const QString& titleName, const QString& title,
                  int titleLines = 1);
