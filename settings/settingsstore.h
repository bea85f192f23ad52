#pragma once

#include "settings/settingkeys.h"

#include <QString>

struct AppSettingsRecord;
class QWidget;

// The settings store: named text values under "Software\ovrant\korvel". On Windows this is
// that registry key under HKEY_LOCAL_MACHINE; elsewhere an INI file in the user's configuration
// directory. None of these operations reports a failure: a failed write is lost, a failed read
// yields an empty text.

constexpr auto kSettingsKey = "Software\\ovrant\\korvel";

// True when the store exists and can be written.
bool SettingsKeyWritable(const QString& key = kSettingsKey);
// Creates the store and writes every value of the record.
void WriteAllSettings(const AppSettingsRecord& settings, const QString& key = kSettingsKey);
// Writes one value when the store exists and can be written.
void SaveRegValue(const QString& name, const QString& value);
void SaveRegValue(Setting setting, const QString& value);
// Reads one value; a missing value, or a store that cannot be opened, reads as empty.
QString ReadRegValue(const QString& name);
QString ReadRegValue(Setting setting);
// Asks for a directory; empty when the user cancels.
QString PickFolder(QWidget* owner, const QString& instruction);

// Loads every value into the record, in the stored order.
void ReadAllSettings(AppSettingsRecord& settings);
