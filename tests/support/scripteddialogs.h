#pragma once

#include "core/dialogs.h"

#include <QStringList>
#include <deque>

// A Dialogs that answers from a script: each expected prompt with its exact text, buttons, icon
// and title, and the answer to give. A prompt that was not expected, or that differs from the
// next expected one, fails the running test.
class ScriptedDialogs : public Dialogs {
  public:
    void expectMessage(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                       Answer answer = Answer::Ok,
                       const std::optional<QString>& title = std::nullopt);
    void expectQuestion(const QString& text, Answer answer, Icon icon = Icon::None);
    // OK button, empty title: "not found" and its kin.
    void expectNotice(const QString& text);
    void expectInput(const QString& prompt, const QString& title, const QString& answer,
                     const std::optional<QString>& defaultText = std::nullopt);
    void expectOpenFile(const QString& filter, const std::optional<QString>& answer);
    void expectPickFolder(const QString& instruction, const QString& answer);
    void expectSaveFile(const QString& filter, const std::optional<QString>& answer);
    // A choice among items, answered with one of them or cancelled (no value); the items and the
    // one offered first are checked too.
    void expectChoice(const QString& prompt, const QString& title, const QStringList& items,
                      const QString& offered, const std::optional<QString>& answer);
    // A list of rows to choose from under this title; the answer is the row chosen, none to cancel.
    void expectRowChoice(const QString& title, std::optional<int> answer);
    // The headings and rows of the last list shown.
    const QList<QStringList>& choiceShown() const { return choice_; }

    // The next progress window cancels once it has shown `steps` steps done; progress windows
    // are otherwise taken as shown, to their end.
    void cancelProgressAt(int steps) { cancelAt_ = steps; }
    // Every text that the progress windows showed, in order.
    const QStringList& progressShown() const { return progress_; }

    // True when every expected prompt was shown and nothing else was.
    bool allAnswered() const { return pending_.empty() && failures_.isEmpty(); }
    QString report() const;
    // Every text shown so far, in order.
    const QStringList& shown() const { return shown_; }

    Answer message(const QString& text, Buttons buttons, Icon icon,
                   const std::optional<QString>& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    std::optional<QString> openFile(const QString& filter, const QString& directory,
                                    const QString& fileName) override;
    QString pickFolder(QWidget* owner, const QString& instruction) override;
    std::optional<QString> saveFile(const QString& filter, const QString& directory,
                                    const QString& fileName) override;
    std::optional<int> chooseRow(const QString& title, const QString& prompt,
                                 const QStringList& headings,
                                 const QList<QStringList>& rows) override;
    std::unique_ptr<Progress> progress(QWidget* owner, const QString& title) override;
    std::optional<QString> chooseItem(const QString& prompt, const QString& title,
                                      const QStringList& items, int current) override;

  private:
    enum class Kind { Message, Input, OpenFile, PickFolder, SaveFile, Choice, RowChoice };
    struct Expected {
        Kind kind;
        QString text;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        Answer answer = Answer::Ok;
        std::optional<QString> title;
        std::optional<QString> defaultText;
        std::optional<QString> reply;
        QStringList items = {};
        std::optional<int> row = {};
    };

    // The next expectation if it is of this kind and text; records a failure otherwise.
    std::optional<Expected> take(Kind kind, const QString& text);
    void fail(const QString& why);

    std::deque<Expected> pending_;
    QStringList shown_;
    QStringList failures_;
    QStringList progress_;
    QList<QStringList> choice_;
    std::optional<int> cancelAt_;
};
