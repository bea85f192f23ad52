#include "app/runsettings.h"

AppSettingsRecord& AppSettings() {
    static AppSettingsRecord record;
    return record;
}
