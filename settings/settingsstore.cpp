#include "settings/settingsstore.h"

#include "core/dialogs.h"
#include "core/ownerfiles.h"
#include "settings/appsettings.h"

#include <QCoreApplication>
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

} // namespace

bool SettingsKeyWritable(const QString&) {
    auto store = openStore();
    return storeExists(*store) && store->isWritable();
}

void WriteAllSettings(const AppSettingsRecord& settings, const QString&) {
    auto store = openStore();
#ifndef Q_OS_WIN
    // Made before the store writes it: the store keeps the mode of a file that stands there.
    OwnerFiles::makeFolder(QFileInfo(store->fileName()).absolutePath());
    OwnerFiles::makeEmpty(store->fileName());
#endif
    for (const Setting setting : allSettings())
        store->setValue(settingName(setting), settingIn(settings, setting));
    store->sync();
}

bool SaveRegValue(const QString& name, const QString& value) {
    auto store = openStore();
    if (!storeExists(*store) || !store->isWritable())
        return false;
    const QVariant before = store->value(name);
    store->setValue(name, value);
    store->sync();
    if (store->status() == QSettings::NoError)
        return true;
    // The store keeps an unwritten value for later reads of this run: it is put back as stored.
    if (before.isValid())
        store->setValue(name, before);
    else
        store->remove(name);
    return false;
}

bool SaveRegValue(Setting setting, const QString& value) {
    return SaveRegValue(settingName(setting), value);
}

QString settingNotStoredText() {
    return QCoreApplication::translate("Settings",
                                       "The setting could not be stored in %1: the disk may be "
                                       "full, or the file cannot be written. The setting stays "
                                       "as it was.")
        .arg(openStore()->fileName());
}

QString ReadRegValue(Setting setting) {
    return ReadRegValue(settingName(setting));
}

QString ReadRegValue(const QString& name) {
    auto store = openStore();
    if (!storeExists(*store))
        return QString();
    const QVariant value = store->value(name);
    // Only text values are ever stored; anything else reads as no text.
    return value.typeId() == QMetaType::QString ? value.toString() : QString();
}

void ReadAllSettings(AppSettingsRecord& settings) {
    for (const Setting setting : allSettings())
        settingIn(settings, setting) = ReadRegValue(setting);
}

QString PickFolder(QWidget* owner, const QString& instruction) {
    return dialogs().pickFolder(owner, instruction);
}
