#include "db/clinic/patientsearch.h"

#include "db/clinic/searchkeys.h"
#include "db/engine/connection.h"
#include "db/engine/dialect.h"

namespace {

const char* column(SearchField field) {
    static const char* const columns[kSearchFieldCount] = {"pt_name_fm", "pt_name_f", "pt_tel_h",
                                                           "MobileNo"};
    return columns[static_cast<int>(field)];
}

bool searchesName(SearchField field) {
    return field == SearchField::FamilyName || field == SearchField::GivenName;
}

// '*' and '?' keep the wildcard meaning that receptionists know; '%' and '_' are searched for as
// themselves. The escape character is not a backslash: Qt's placeholder scan reads a backslash
// inside a quoted literal as escaping the quote, and then misses the placeholders after it.
QString likePattern(QString text) {
    text.replace('!', "!!");
    text.replace('%', "!%");
    text.replace('_', "!_");
    text.replace('*', '%');
    text.replace('?', '_');
    return text;
}

} // namespace

// Names are searched through their folded keys, read in the files' order, each file then fetched
// by its row number.
SearchQuery patientSearchQuery(SearchField field, const QString& text, const QString& location) {
    const Dialect& dialect = dialectAt(location);
    if (!searchesName(field))
        return {"select * from per_inf_data where " + dialect.matchesPattern(column(field)),
                {"%" + likePattern(text) + "%"}};
    return {"select p.* from name_search_keys k join per_inf_data p on p.id = k.id where " +
                dialect.matchesPattern(QString("k.") + column(field)) + " order by k.id",
            {"%" + likePattern(foldedForSearch(text)) + "%"}};
}
