#include "db/arabiccollation.h"

#include <algorithm>
#include <cstring>
#include <sqlite3.h>
#include <unicode/ucol.h>
#include <unicode/uversion.h>

namespace {

// Secondary strength ignores letter case but not accents; the texts are normalised first, so
// that one letter typed as one code point or as two compares equal.
UCollator* openCollator() {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* collator = ucol_open("ar_SA", &status);
    ucol_setAttribute(collator, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    ucol_setAttribute(collator, UCOL_STRENGTH, UCOL_SECONDARY, &status);
    ucol_setAttribute(collator, UCOL_NUMERIC_COLLATION, UCOL_OFF, &status);
    ucol_setAttribute(collator, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
    return U_SUCCESS(status) ? collator : nullptr;
}

const UCollator* collator() {
    static const UCollator* const instance = openCollator();
    return instance;
}

int compareBytes(const char* text1, int length1, const char* text2, int length2) {
    const int common = std::min(length1, length2);
    const int order = common > 0 ? memcmp(text1, text2, size_t(common)) : 0;
    return order != 0 ? order : length1 - length2;
}

int compareForEngine(void*, int length1, const void* text1, int length2, const void* text2) {
    return compareArabicUtf8(static_cast<const char*>(text1), length1,
                             static_cast<const char*>(text2), length2);
}

} // namespace

void registerArabicCollation(sqlite3* handle) {
    if (handle)
        sqlite3_create_collation(handle, "ARABIC", SQLITE_UTF8, nullptr, compareForEngine);
}

int compareArabicUtf8(const char* text1, int length1, const char* text2, int length2) {
    // An empty text comes before every other, even one of characters the collator ignores.
    if (length1 == 0 || length2 == 0)
        return (length1 != 0) - (length2 != 0);
    if (!collator())
        return compareBytes(text1, length1, text2, length2);
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult order =
        ucol_strcollUTF8(collator(), text1, length1, text2, length2, &status);
    return U_SUCCESS(status) ? int(order) : compareBytes(text1, length1, text2, length2);
}

QString arabicCollationVersion() {
    if (!collator())
        return "bytes";
    UVersionInfo version;
    ucol_getVersion(collator(), version);
    char text[U_MAX_VERSION_STRING_LENGTH];
    u_versionToString(version, text);
    return QString::fromLatin1(text);
}
