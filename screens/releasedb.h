#pragma once

// Detaches every data source of every screen from the database file, so that nothing holds it
// open. Never fails: a step that fails is skipped.
void ReleaseDB();
