// The program's Arabic collation as a loadable extension of the engine, so that the standard
// sqlite3 tool can check, count and query a Korvel file:
//   sqlite3 copy.mdb -cmd '.load /usr/lib/korvel/korvel_arabic' 'PRAGMA integrity_check'
#include "db/engine/arabicorder.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

// The name the engine derives from the file's name, korvel_arabic.so.
extern "C" int sqlite3_korvelarabic_init(sqlite3* db, char**, const sqlite3_api_routines* api) {
    SQLITE_EXTENSION_INIT2(api);
    return sqlite3_create_collation(db, "ARABIC", SQLITE_UTF8, nullptr, compareArabicForEngine);
}
