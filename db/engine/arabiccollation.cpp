#include "db/engine/arabiccollation.h"

#include "db/engine/arabicorder.h"

#include <sqlite3.h>

void registerArabicCollation(sqlite3* handle) {
    if (handle)
        sqlite3_create_collation(handle, "ARABIC", SQLITE_UTF8, nullptr, compareArabicForEngine);
}

int compareArabicUtf8(const char* text1, int length1, const char* text2, int length2) {
    return compareArabicForEngine(nullptr, length1, text1, length2, text2);
}

QString arabicCollationVersion() {
    return QString::fromStdString(arabicOrderVersion());
}
