#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

// The title of a window that the program leaves without a caption: the window system would fill
// an empty title with the program's name.
inline const QString kNoCaption = QStringLiteral(" ");

// How far a long piece of work (printing a report of thousands of pages) has come, shown with a
// button that cancels it.
class Progress {
  public:
    virtual ~Progress() = default;
    // Shows the text and `done` steps of `total`, or of a number not known yet while total is 0.
    // False once the user has cancelled.
    virtual bool advance(const QString& text, int done, int total) = 0;
};

// Every message box, input box, file-open dialog and folder picker of the program goes through
// this interface, so that tests can answer each prompt and check its exact text.
class Dialogs {
  public:
    enum class Buttons { Ok, YesNo };
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Answer { Ok, Yes, No };

    virtual ~Dialogs() = default;

    // A missing title means the program's default title; an empty one shows no title.
    virtual Answer message(const QString& text, Buttons buttons = Buttons::Ok,
                           Icon icon = Icon::None,
                           const std::optional<QString>& title = std::nullopt) = 0;
    // Returns the typed text, or an empty text when the user cancels.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText = QString()) = 0;
    // The filter is "description|pattern;pattern"; returns no value when the user cancels.
    virtual std::optional<QString> openFile(const QString& filter, const QString& directory,
                                            const QString& fileName) = 0;
    // Returns the chosen directory, or an empty text when the user cancels.
    virtual QString pickFolder(QWidget* owner, const QString& instruction) = 0;
    // Asks where to save a file (filter as for openFile); no value when the user cancels.
    // Dialogs that never show it may keep the default, which cancels.
    virtual std::optional<QString> saveFile(const QString& filter, const QString& directory,
                                            const QString& fileName);
    // A list of rows (texts under the column headings) to choose one from, with the prompt
    // above it; the chosen row's position, no value when the user cancels. The default cancels.
    virtual std::optional<int> chooseRow(const QString& title, const QString& prompt,
                                         const QStringList& headings,
                                         const QList<QStringList>& rows);
    // A progress window over the owner, shown once the work has lasted long enough to be
    // noticed. The default shows nothing and never cancels.
    virtual std::unique_ptr<Progress> progress(QWidget* owner, const QString& title);
    // Asks for one of the items, the one at `current` offered first; no value when the user
    // cancels. Only the kind of a payment is asked this way; the default cancels.
    virtual std::optional<QString> chooseItem(const QString& prompt, const QString& title,
                                              const QStringList& items, int current);
};

// The one instance the program uses; the program installs the Qt one, tests a scripted one.
Dialogs& dialogs();
void setDialogs(Dialogs* instance);

// The shorthand for the most common case: a text with an OK button and the default title.
void showMessage(const QString& text);
// "not found" and its kin: OK button, empty title.
void showNotice(const QString& text);
