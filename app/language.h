#pragma once

class QApplication;
class QMenu;
class QWidget;
struct AppSettingsRecord;

// The value of the language setting that makes the screens Arabic, right to left.
inline constexpr auto kArabic = "ar";

// Installs the translations of the stored language (the program's and Qt's own, for the standard
// buttons) and mirrors the interface for Arabic. English needs nothing: it is the source text.
void applyStoredLanguage(QApplication& app);

// The Settings menu's Language items; a choice is stored and taken at the next start.
QMenu* languageMenu(QWidget* owner, AppSettingsRecord& settings);
