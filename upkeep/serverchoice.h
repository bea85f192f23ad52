#pragma once

struct AppSettingsRecord;

// The clinic's database on a server, as the settings name it by its connection URI.

// At start-up: leaves the settings on a server database that holds the clinic's tables, or, when
// the user gives no address, on the database file. A server that does not answer is told (which
// and why) and tried again or another address given; nothing is ever created over a server that
// merely did not answer.
void settleServerDatabase(AppSettingsRecord& settings);

// Settings > Database Server: asks for the address and works on that database from then on, once
// it answers and holds the clinic's tables (offered to be made in an empty one).
void chooseDatabaseServer(AppSettingsRecord& settings);
