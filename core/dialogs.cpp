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

void showMessage(const QString& text) {
    dialogs().message(text);
}

void showNotice(const QString& text) {
    dialogs().message(text, Dialogs::Buttons::Ok, Dialogs::Icon::None, QString());
}
