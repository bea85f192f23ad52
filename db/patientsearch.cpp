#include "db/patientsearch.h"

namespace {

const char* column(SearchField field) {
    static const char* const columns[kSearchFieldCount] = {"pt_name_fm", "pt_name_f", "pt_tel_h",
                                                           "MobileNo"};
    return columns[static_cast<int>(field)];
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

SearchQuery patientSearchQuery(SearchField field, const QString& text) {
    return {QString("select * from per_inf_data where ") + column(field) + " LIKE ? ESCAPE '!'",
            {"%" + likePattern(text) + "%"}};
}
