#include "core/dialogs.h"

#include <cassert>

namespace {
Dialogs* current = nullptr;
}

Dialogs& dialogs() {
    assert(current && "no Dialogs installed");
    return *current;
}

void setDialogs(Dialogs* instance) {
    current = instance;
}

std::optional<QString> Dialogs::saveFile(const QString&, const QString&, const QString&) {
    return std::nullopt;
}

std::optional<QString> Dialogs::chooseItem(const QString&, const QString&, const QStringList&,
                                           int) {
    return std::nullopt;
}

std::optional<int> Dialogs::chooseRow(const QString&, const QString&, const QStringList&,
                                      const QList<QStringList>&) {
    return std::nullopt;
}

std::unique_ptr<Progress> Dialogs::progress(QWidget*, const QString&) {
    struct Silent : Progress {
        bool advance(const QString&, int, int) override { return true; }
    };
    return std::make_unique<Silent>();
}

void showMessage(const QString& text) {
    dialogs().message(text);
}

void showNotice(const QString& text) {
    dialogs().message(text, Dialogs::Buttons::Ok, Dialogs::Icon::None, QString());
}
