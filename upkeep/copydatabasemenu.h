#pragma once

class QWidget;
struct AppSettingsRecord;

// Copies the current database to a new file or to a database on a PostgreSQL server that the
// user names, with a progress window that can cancel it, and tells how it went. The program
// goes on working on its own database either way.
void copyDatabaseElsewhere(const AppSettingsRecord& settings, QWidget* owner);
