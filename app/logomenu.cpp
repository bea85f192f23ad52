#include "app/logomenu.h"

#include "app/menuerrortrap.h"
#include "app/picturebox.h"
#include "core/dialogs.h"
#include "core/programdir.h"
#include "settings/appsettings.h"
#include "settings/settingsstore.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

constexpr auto kPictureFilter = QT_TRANSLATE_NOOP(
    "LogoMenu", "Pictures (*.jpg;*.jpeg;*.gif;*.bmp;*.png)|*.jpg;*.jpeg;*.gif;*.bmp;*.png");

// The kept picture goes back first, so that a stored logo that is no picture any more leaves
// the window as it was before the choice.
void restoreStoredLogo(QString& logo, PictureBox& picture, const QPixmap& kept) {
    logo = ReadRegValue(Setting::Logo);
    picture.setPicture(kept);
    if (!logo.isEmpty() && fileExists(logo))
        picture.setPicture(LoadPicture(logo));
}

QString startDirectory(const QString& logo) {
    return logo.isEmpty() ? QString() : QFileInfo(logo).absolutePath();
}

} // namespace

void changeLogo(AppSettingsRecord& settings, PictureBox& picture) {
    underMenuErrorTrap(QCoreApplication::translate("LogoMenu", "Logo Change Cancelled"), [&] {
        const auto chosen =
            dialogs().openFile(QCoreApplication::translate("LogoMenu", kPictureFilter),
                               startDirectory(settings.logo), QString());
        if (!chosen)
            throw dialogCancelled();
        if (!fileExists(*chosen))
            return;
        const QPixmap kept = picture.picture();
        // The setting changes only once the file proved to be a picture.
        picture.setPicture(LoadPicture(*chosen));
        settings.logo = *chosen;
        if (dialogs().message(QCoreApplication::translate(
                                  "LogoMenu", "Are you sure you want to change the logo?"),
                              Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes) {
            restoreStoredLogo(settings.logo, picture, kept);
        } else if (!SaveRegValue(Setting::Logo, *chosen)) {
            showMessage(settingNotStoredText());
            restoreStoredLogo(settings.logo, picture, kept);
        }
    });
}
