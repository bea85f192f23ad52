#pragma once

// Brings a database of the older layout (no table po_descs) at the database path of the
// settings up to the current schema, in one transaction, keeping its rows. On any database it
// then stores "not temporary" for the patient files whose flag was left empty, and brings the
// indexes up to date: the added ones created, the collated ones rebuilt after the collator
// changed.
void UpgradeDB();
