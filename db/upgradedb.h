#pragma once

// Brings a database of the older layout (no table po_descs) at the database path of the
// settings up to the current schema, in one transaction, keeping its rows. Does nothing to a
// current database.
void UpgradeDB();
