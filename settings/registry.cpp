#include "settings/registry.h"

#include "core/dialogs.h"
#include "settings/appsettings.h"

#include <QFileInfo>
#include <QSettings>
#include <memory>

namespace {

std::unique_ptr<QSettings> openStore() {
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QString("HKEY_LOCAL_MACHINE\\") + kSettingsKey,
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "ovrant",
                                       "korvel");
#endif
}

bool storeExists(QSettings& store) {
#ifdef Q_OS_WIN
    return !store.allKeys().isEmpty() || store.isWritable();
#else
    return QFileInfo(store.fileName()).isFile();
#endif
}

struct NamedValue {
    const char* name;
    QString AppSettingsRecord::*member;
    QString Letterhead::*letterheadMember;
};

// The ten values in their stored order.
const NamedValue kAllValues[] = {
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
};

QString& valueIn(AppSettingsRecord& record, const NamedValue& value) {
    return value.member ? record.*value.member : record.letterhead.*value.letterheadMember;
}

} // namespace

bool SettingsKeyWritable(const QString&) {
    auto store = openStore();
    return storeExists(*store) && store->isWritable();
}

void WriteAllSettings(const QString&) {
    auto store = openStore();
    for (const auto& value : kAllValues)
        store->setValue(value.name, valueIn(AppSettings(), value));
    store->sync();
}

void SaveRegValue(const QString& name, const QString& value) {
    auto store = openStore();
    if (!storeExists(*store) || !store->isWritable())
        return;
    store->setValue(name, value);
    store->sync();
}

QString ReadRegValue(const QString& name) {
    auto store = openStore();
    if (!storeExists(*store))
        return QString();
    const QVariant value = store->value(name);
    // Only text values are ever stored; anything else reads as no text.
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

void ReadAllSettings() {
    for (const auto& value : kAllValues)
        valueIn(AppSettings(), value) = ReadRegValue(value.name);
}

QString PickFolder(QWidget* owner, const QString& instruction) {
    return dialogs().pickFolder(owner, instruction);
}
