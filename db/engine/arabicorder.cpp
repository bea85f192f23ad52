#include "db/engine/arabicorder.h"

#include <algorithm>
#include <cstring>
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

// Digits, the slash, the hyphen and the space have one weight each in the collator, in the order
// of their bytes: texts of nothing else (dates, file numbers, codes), most of what the indexes
// sort, compare as their bytes without the collator's work.
bool ordersAsBytes(const char* text, int length) {
    for (int i = 0; i < length; ++i) {
        const char c = text[i];
        if (!((c >= '0' && c <= '9') || c == '/' || c == '-' || c == ' '))
            return false;
    }
    return true;
}

} // namespace

int compareArabicForEngine(void*, int length1, const void* engineText1, int length2,
                           const void* engineText2) {
    const auto* text1 = static_cast<const char*>(engineText1);
    const auto* text2 = static_cast<const char*>(engineText2);
    // An empty text comes before every other, even one of characters the collator ignores.
    if (length1 == 0 || length2 == 0)
        return (length1 != 0) - (length2 != 0);
    // The same bytes are the same text to the collator too: an index's many equal keys (a code,
    // a month, a nationality) are told apart by their row numbers without its work.
    if (length1 == length2 && memcmp(text1, text2, size_t(length1)) == 0)
        return 0;
    if (!collator() || (ordersAsBytes(text1, length1) && ordersAsBytes(text2, length2)))
        return compareBytes(text1, length1, text2, length2);
    UErrorCode status = U_ZERO_ERROR;
    const UCollationResult order =
        ucol_strcollUTF8(collator(), text1, length1, text2, length2, &status);
    return U_SUCCESS(status) ? int(order) : compareBytes(text1, length1, text2, length2);
}

std::string arabicOrderVersion() {
    if (!collator())
        return "bytes";
    UVersionInfo version;
    ucol_getVersion(collator(), version);
    char text[U_MAX_VERSION_STRING_LENGTH];
    u_versionToString(version, text);
    return text;
}
