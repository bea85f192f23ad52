#pragma once

#include "db/upkeep/schema.h"

#include <QString>
#include <QVariantList>

// The fields that the patient search can look through, by the index of their option button.
enum class SearchField { FamilyName = 0, GivenName = 1, HomeTelephone = 2, Mobile = 3 };
constexpr int kSearchFieldCount = 4;

// A query over the patient files and the values for its placeholders.
struct SearchQuery {
    QString sql;
    QVariantList values;
};

// The patient files whose field holds the text anywhere, the text taken literally: '%', '_' and
// '\' in it match only themselves. The column comes from a fixed table, never from the text.
// Written for the engine of the database at the location.
SearchQuery patientSearchQuery(SearchField field, const QString& text, const QString& location);
