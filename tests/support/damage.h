#pragma once

#include <QString>

// A database whose tables still open but whose middle pages hold random bytes, as a failing disk
// leaves it: many patient files, then one page in the middle overwritten.
void makeDamagedDatabase(const QString& path);
