#pragma once

#include <QString>

class AppError;

// The run's error log: emptied when opened at start-up, then written through one handle until the
// program ends. A log that cannot be opened drops its entries; it never stops the program.
namespace ErrorLog {
void open(const QString& path);
void close();
// Appends label + number + " -> " + description + CR LF.
void write(const QString& label, int number, const QString& description);
void write(const QString& label, const AppError& error);
} // namespace ErrorLog
