#include "patients/patientsearchquery.h"

namespace {

struct FieldInfo {
    const char* caption;
    const char* column;
};

const FieldInfo& info(SearchField field) {
    static const FieldInfo fields[kSearchFieldCount] = {
        {"Family Name", "pt_name_fm"},
        {"Given Name", "pt_name_f"},
        {"Tel. No", "pt_tel_h"},
        {"Mob. No.", "MobileNo"},
    };
    return fields[static_cast<int>(field)];
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

QString searchFieldCaption(SearchField field) {
    return info(field).caption;
}

SearchQuery patientSearchQuery(SearchField field, const QString& text) {
    return {QString("select * from per_inf_data where ") + info(field).column +
                " LIKE ? ESCAPE '!'",
            {"%" + likePattern(text) + "%"}};
}
