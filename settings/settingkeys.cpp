#include "settings/settingkeys.h"

#include "core/programdir.h"
#include "settings/appsettings.h"

namespace {

struct SettingInfo {
    const char* name;
    QString AppSettingsRecord::*member;  // a value of the record itself, or
    QString Letterhead::*letterheadLine; // a line of its letterhead
};

const SettingInfo& info(Setting setting) {
    static const SettingInfo settings[] = {
        {"dbpath", &AppSettingsRecord::dbpath, nullptr},
        {"reportspath", &AppSettingsRecord::reportspath, nullptr},
        {"clinicname", nullptr, &Letterhead::clinicname},
        {"drname", nullptr, &Letterhead::drname},
        {"qualifications1", nullptr, &Letterhead::qualifications1},
        {"qualifications2", nullptr, &Letterhead::qualifications2},
        {"qualifications3", nullptr, &Letterhead::qualifications3},
        {"licenseno", nullptr, &Letterhead::licenseno},
        {"telephone", nullptr, &Letterhead::telephone},
        {"logo", &AppSettingsRecord::logo, nullptr},
        {"backupspath", &AppSettingsRecord::backupspath, nullptr},
        {"dbserver", &AppSettingsRecord::dbserver, nullptr},
        {"language", &AppSettingsRecord::language, nullptr},
        {"paymentkinds", &AppSettingsRecord::paymentkinds, nullptr},
        {"oldbackupspaths", &AppSettingsRecord::oldbackupspaths, nullptr},
    };
    return settings[int(setting)];
}

} // namespace

QList<Setting> allSettings() {
    QList<Setting> settings;
    for (int i = 0; i <= int(Setting::OldBackupsPaths); ++i)
        settings << Setting(i);
    return settings;
}

QString settingName(Setting setting) {
    return info(setting).name;
}

QString& settingIn(AppSettingsRecord& record, Setting setting) {
    const SettingInfo& value = info(setting);
    return value.member ? record.*value.member : record.letterhead.*value.letterheadLine;
}

const QString& settingIn(const AppSettingsRecord& record, Setting setting) {
    return settingIn(const_cast<AppSettingsRecord&>(record), setting);
}

QString builtInValue(Setting setting) {
    const SettingInfo& value = info(setting);
    if (value.letterheadLine)
        return DefaultLetterhead().*value.letterheadLine;
    if (setting == Setting::Logo || setting == Setting::BackupsPath ||
        setting == Setting::DbServer || setting == Setting::Language ||
        setting == Setting::PaymentKinds || setting == Setting::OldBackupsPaths)
        return QString();
    return programDir();
}

QList<Setting> letterheadSettings() {
    return {Setting::ClinicName,      Setting::DrName,          Setting::Qualifications1,
            Setting::Qualifications2, Setting::Qualifications3, Setting::LicenseNo,
            Setting::Telephone};
}
