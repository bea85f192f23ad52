#pragma once

#include <QString>

struct AppSettingsRecord;

// Compacts the database at source through a compacted copy written to target, which then takes
// the source's place. Returns true when the compacted file stands at the source path. A failure
// raises AppError; the original database stays usable and the screens are bound again. A
// server's database is compacted in place, by the server.
bool CompactDB(const AppSettingsRecord& settings, const QString& source, const QString& target);
