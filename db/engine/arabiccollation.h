#pragma once

#include <QString>

// The Arabic collating order that the schema's text columns declare, letter case ignored.

struct sqlite3;

// Declares the collation on an engine handle; every connection gets it.
void registerArabicCollation(sqlite3* handle);

// Compares two UTF-8 texts in that order: negative, zero or positive.
int compareArabicUtf8(const char* text1, int length1, const char* text2, int length2);

// The version of the collator's rules. An index ordered by the collation stays valid only as
// long as this stays the same.
QString arabicCollationVersion();
