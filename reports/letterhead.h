#pragma once

#include "reports/reportdefinition.h"
#include "settings/appsettings.h"

// The letterhead block: seven centred labels at the top left of a page header, which
// PrepareReport fills from the settings.
struct LetterheadLabel {
    const char* name;
    const char* designCaption;
    QString Letterhead::*setting;
};
extern const LetterheadLabel kLetterheadLabels[7];

// Puts the letterhead, the report's title to its right and a rule across the page into the page
// header. Returns where the space under the rule begins.
int addLetterhead(Report& report, const QString& titleName, const QString& title,
                  int titleLines = 1);
