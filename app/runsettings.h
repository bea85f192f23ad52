#pragma once

#include "settings/appsettings.h"

// The settings record of this run. Only the program's entry point (and the tests and benchmark
// that stand in for it) reaches for it, to hand it to start-up and the screens; everything else
// is given what it needs.
AppSettingsRecord& AppSettings();
