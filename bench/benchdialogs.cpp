#include "benchdialogs.h"

#include "app/qtdialogs.h"

#include <utility>

QStringList BenchDialogs::takeMessages() {
    QStringList messages;
    messages.swap(messages_);
    return messages;
}

Dialogs::Answer BenchDialogs::message(const QString& text, Buttons buttons, Icon,
                                      const std::optional<QString>&) {
    messages_ << text;
    return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
}

QString BenchDialogs::inputBox(const QString&, const QString&, const QString&) {
    return inputs_.isEmpty() ? QString() : inputs_.takeFirst();
}

std::optional<QString> BenchDialogs::openFile(const QString&, const QString&, const QString&) {
    return std::nullopt;
}

QString BenchDialogs::pickFolder(QWidget*, const QString&) {
    return {};
}

std::optional<QString> BenchDialogs::saveFile(const QString&, const QString&, const QString&) {
    return std::exchange(saveAs_, std::nullopt);
}

std::unique_ptr<Progress> BenchDialogs::progress(QWidget* owner, const QString& title) {
    return QtDialogs().progress(owner, title);
}
