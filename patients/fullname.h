#pragma once

#include <QString>

// A patient's full name as the file keeps it: the trimmed name parts joined by single spaces.
// The third name is left out when it is empty; the other parts always take their place.
QString composeFullName(const QString& given, const QString& second, const QString& third,
                        const QString& family);
