#pragma once

#include <string>

// The Arabic collating order of the collation, apart from Qt and from the engine's own
// functions, so that the engine's loadable extension (for the sqlite3 tool) orders exactly as
// the program does.

// Compares two UTF-8 texts in the shape of the engine's collation callback: negative, zero or
// positive.
int compareArabicForEngine(void* unused, int length1, const void* text1, int length2,
                           const void* text2);

// The version of the collator's rules, "bytes" when the collator is missing.
std::string arabicOrderVersion();
