#pragma once

#include "settings/settingkeys.h"

#include <QString>

struct AppSettingsRecord;
class QWidget;

// The settings store: named text values under "Software\ovrant\korvel". On Windows this is
// that registry key under HKEY_LOCAL_MACHINE; elsewhere an INI file in the user's configuration
// directory. A failed read yields an empty text; a write says whether the value was stored.

constexpr auto kSettingsKey = "Software\\ovrant\\korvel";

// True when the store exists and can be written.
bool SettingsKeyWritable(const QString& key = kSettingsKey);
// Creates the store and writes every value of the record.
void WriteAllSettings(const AppSettingsRecord& settings, const QString& key = kSettingsKey);
// Writes one value when the store exists and can be written. True once the value is stored; false
// when it is not (a full disk, a file that cannot be written), and the store keeps what it held.
bool SaveRegValue(const QString& name, const QString& value);
bool SaveRegValue(Setting setting, const QString& value);
// What the user is told of a setting that could not be stored.
QString settingNotStoredText();
// Reads one value; a missing value, or a store that cannot be opened, reads as empty.
QString ReadRegValue(const QString& name);
QString ReadRegValue(Setting setting);
// Asks for a directory; empty when the user cancels.
QString PickFolder(QWidget* owner, const QString& instruction);

// Loads every value into the record, in the stored order.
void ReadAllSettings(AppSettingsRecord& settings);
