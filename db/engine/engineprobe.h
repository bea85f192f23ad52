#pragma once

// Raises the engine's error when a database connection cannot be opened and queried at all,
// before any database file is touched.
void checkDatabaseEngine();
