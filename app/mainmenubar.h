#pragma once

struct AppSettingsRecord;
class PictureBox;
class QMainWindow;

// The main window's menu bar: Settings with the letterhead, logo and database items, Compact
// Database, and Help with About. Each item carries its name and runs its handler.
void buildMainMenuBar(QMainWindow& window, PictureBox& picture, AppSettingsRecord& settings);
