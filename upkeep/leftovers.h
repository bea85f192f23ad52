#pragma once

struct AppSettingsRecord;

// What a kill or a power loss leaves behind: half-written copies of the patient data beside the
// database (a compaction's test.mdb, a restore's incoming file) and in the backups folder (a copy
// not yet given its name), with their journals. They are removed at start-up, once this copy
// holds the database, so that no other copy is still writing them.
void removeLeftovers(const AppSettingsRecord& settings);
