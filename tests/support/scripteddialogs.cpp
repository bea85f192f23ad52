#include "scripteddialogs.h"

#include <QTest>

namespace {
QString show(const std::optional<QString>& text) {
    return text ? "\"" + *text + "\"" : QString("(default)");
}
} // namespace

void ScriptedDialogs::expectMessage(const QString& text, Buttons buttons, Icon icon, Answer answer,
                                    const std::optional<QString>& title) {
    pending_.push_back({Kind::Message, text, buttons, icon, answer, title, {}, {}, {}});
}

void ScriptedDialogs::expectQuestion(const QString& text, Answer answer, Icon icon) {
    expectMessage(text, Buttons::YesNo, icon, answer);
}

void ScriptedDialogs::expectNotice(const QString& text) {
    expectMessage(text, Buttons::Ok, Icon::None, Answer::Ok, QString());
}

void ScriptedDialogs::expectInput(const QString& prompt, const QString& title,
                                  const QString& answer,
                                  const std::optional<QString>& defaultText) {
    pending_.push_back({Kind::Input, prompt, {}, {}, {}, title, defaultText, answer, {}});
}

void ScriptedDialogs::expectOpenFile(const QString& filter, const std::optional<QString>& answer) {
    pending_.push_back({Kind::OpenFile, filter, {}, {}, {}, {}, {}, answer, {}});
}

void ScriptedDialogs::expectPickFolder(const QString& instruction, const QString& answer) {
    pending_.push_back({Kind::PickFolder, instruction, {}, {}, {}, {}, {}, answer, {}});
}

void ScriptedDialogs::expectSaveFile(const QString& filter, const std::optional<QString>& answer) {
    pending_.push_back({Kind::SaveFile, filter, {}, {}, {}, {}, {}, answer, {}});
}

void ScriptedDialogs::expectRowChoice(const QString& title, std::optional<int> answer) {
    pending_.push_back({Kind::RowChoice, title, {}, {}, {}, {}, {}, {}, {}, answer});
}

void ScriptedDialogs::expectChoice(const QString& prompt, const QString& title,
                                   const QStringList& items, const QString& offered,
                                   const std::optional<QString>& answer) {
    pending_.push_back({Kind::Choice, prompt, {}, {}, {}, title, offered, answer, items});
}

QString ScriptedDialogs::report() const {
    QStringList lines = failures_;
    for (const auto& expected : pending_)
        lines << "expected but never shown: \"" + expected.text + "\"";
    return lines.join("\n");
}

void ScriptedDialogs::fail(const QString& why) {
    failures_ << why;
    QTest::qFail(why.toUtf8().constData(), __FILE__, __LINE__);
}

std::optional<ScriptedDialogs::Expected> ScriptedDialogs::take(Kind kind, const QString& text) {
    shown_ << text;
    if (pending_.empty()) {
        fail("unexpected prompt: \"" + text + "\"");
        return std::nullopt;
    }
    Expected next = pending_.front();
    if (next.kind != kind || next.text != text) {
        fail("prompt \"" + text + "\" shown where \"" + next.text + "\" was expected");
        return std::nullopt;
    }
    pending_.pop_front();
    return next;
}

Dialogs::Answer ScriptedDialogs::message(const QString& text, Buttons buttons, Icon icon,
                                         const std::optional<QString>& title) {
    const auto expected = take(Kind::Message, text);
    if (!expected)
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    if (expected->buttons != buttons)
        fail("\"" + text + "\" shown with other buttons than expected");
    if (expected->icon != icon)
        fail("\"" + text + "\" shown with another icon than expected");
    if (expected->title != title)
        fail("\"" + text + "\" titled " + show(title) + ", expected " + show(expected->title));
    return expected->answer;
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) {
    const auto expected = take(Kind::Input, prompt);
    if (!expected)
        return QString();
    if (expected->title != title)
        fail("input box \"" + prompt + "\" titled \"" + title + "\", expected " +
             show(expected->title));
    if (expected->defaultText && *expected->defaultText != defaultText)
        fail("input box \"" + prompt + "\" pre-filled with \"" + defaultText + "\", expected " +
             show(expected->defaultText));
    return *expected->reply;
}

std::optional<QString> ScriptedDialogs::openFile(const QString& filter, const QString&,
                                                 const QString&) {
    const auto expected = take(Kind::OpenFile, filter);
    return expected ? expected->reply : std::nullopt;
}

QString ScriptedDialogs::pickFolder(QWidget*, const QString& instruction) {
    const auto expected = take(Kind::PickFolder, instruction);
    return expected ? expected->reply.value_or(QString()) : QString();
}

std::optional<QString> ScriptedDialogs::saveFile(const QString& filter, const QString&,
                                                 const QString&) {
    const auto expected = take(Kind::SaveFile, filter);
    return expected ? expected->reply : std::nullopt;
}

std::optional<QString> ScriptedDialogs::chooseItem(const QString& prompt, const QString& title,
                                                   const QStringList& items, int current) {
    const auto expected = take(Kind::Choice, prompt);
    if (!expected)
        return std::nullopt;
    if (expected->title != title)
        fail("choice \"" + prompt + "\" titled \"" + title + "\", expected " +
             show(expected->title));
    if (expected->items != items)
        fail("choice \"" + prompt + "\" offered " + items.join(", ") + ", expected " +
             expected->items.join(", "));
    if (expected->defaultText && *expected->defaultText != items.value(current))
        fail("choice \"" + prompt + "\" offered \"" + items.value(current) + "\" first, expected " +
             show(expected->defaultText));
    if (expected->reply && !items.contains(*expected->reply))
        fail("choice \"" + prompt + "\" answered with an item it does not offer");
    return expected->reply;
}

std::optional<int> ScriptedDialogs::chooseRow(const QString& title, const QString&,
                                              const QStringList& headings,
                                              const QList<QStringList>& rows) {
    choice_ = QList<QStringList>{headings} + rows;
    const auto expected = take(Kind::RowChoice, title);
    return expected ? expected->row : std::nullopt;
}

std::unique_ptr<Progress> ScriptedDialogs::progress(QWidget*, const QString&) {
    class Scripted : public Progress {
      public:
        Scripted(QStringList& shown, std::optional<int> cancelAt)
            : shown_(shown), cancelAt_(cancelAt) {}
        bool advance(const QString& text, int done, int) override {
            shown_ << text;
            return !cancelAt_ || done < *cancelAt_;
        }

      private:
        QStringList& shown_;
        std::optional<int> cancelAt_;
    };
    return std::make_unique<Scripted>(progress_, std::exchange(cancelAt_, std::nullopt));
}
