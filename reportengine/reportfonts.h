#pragma once

#include "reportengine/reportdefinition.h"

#include <QFont>

// The font a control is drawn with. Its pixel size is the point size in twips, so that text is
// measured and drawn alike on every device once the painter is scaled to twips. A family without
// Arabic letters (or not installed) is followed by installed families that have them.
QFont toQFont(const ReportFont& font);
