#include "app/language.h"

#include "core/dialogs.h"
#include "settings/appsettings.h"
#include "settings/settingsstore.h"

#include <QActionGroup>
#include <QApplication>
#include <QLibraryInfo>
#include <QMenu>
#include <QTranslator>

namespace {

void install(QApplication& app, const QString& file, const QString& directory) {
    auto* translator = new QTranslator(&app);
    if (translator->load(file, directory))
        QApplication::installTranslator(translator);
    else
        delete translator;
}

void choose(AppSettingsRecord& settings, const QString& language, QActionGroup* group) {
    if (language == settings.language)
        return;
    if (!SaveRegValue(Setting::Language, language)) {
        showMessage(settingNotStoredText());
        // The menu goes on marking the language of the next start.
        for (QAction* item : group->actions())
            item->setChecked(item->data().toString() == settings.language);
        return;
    }
    settings.language = language;
    showMessage(QCoreApplication::translate(
        "Language", "Korvel shows the chosen language from its next start on."));
}

} // namespace

void applyStoredLanguage(QApplication& app) {
    if (ReadRegValue(Setting::Language) != kArabic)
        return;
    install(app, "qtbase_ar", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(app, "korvel_ar", ":/translations");
    QApplication::setLayoutDirection(Qt::RightToLeft);
}

QMenu* languageMenu(QWidget* owner, AppSettingsRecord& settings) {
    auto* menu = new QMenu(QCoreApplication::translate("Language", "Language"), owner);
    menu->setObjectName("mnuLanguage");
    menu->menuAction()->setObjectName("mnuLanguage");
    auto* group = new QActionGroup(menu);
    // Each language is named in its own words, whatever the language of the screens.
    const std::pair<QString, QString> languages[] = {{"English", QString()},
                                                     {QString::fromUtf8("العربية"), kArabic}};
    for (const auto& [name, value] : languages) {
        QAction* item = menu->addAction(name);
        item->setObjectName(value.isEmpty() ? "mnuEnglish" : "mnuArabic");
        item->setCheckable(true);
        item->setData(value);
        item->setChecked(settings.language == value);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, owner,
                         [&settings, value = value, group] { choose(settings, value, group); });
    }
    return menu;
}
