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

// A server cannot match patterns under the Arabic collation, whose equality ignores case: it
// matches under the plain one, ignoring the case of Latin letters as the file's LIKE does.
SearchQuery patientSearchQuery(SearchField field, const QString& text, Engine engine) {
    const QString match = engine == Engine::File
                              ? QString(column(field)) + " LIKE ? ESCAPE '!'"
                              : "(" + QString(column(field)) + " COLLATE \"C\") ILIKE ? ESCAPE '!'";
    return {"select * from per_inf_data where " + match, {"%" + likePattern(text) + "%"}};
}
