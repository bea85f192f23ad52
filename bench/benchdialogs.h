#pragma once

#include "core/dialogs.h"

#include <QStringList>

// The benchmark's user: answers each input box with the next text it was given, takes every
// message with OK (or Yes) and keeps its text, saves a file where it was told to, and cancels the
// other file dialogs. Long work shows the program's own progress window, as the user sees it.
class BenchDialogs : public Dialogs {
  public:
    void answerNextInputWith(const QString& text) { inputs_ << text; }
    void saveNextFileAs(const QString& path) { saveAs_ = path; }
    // The messages shown since the last call.
    QStringList takeMessages();

    Answer message(const QString& text, Buttons buttons, Icon icon,
                   const std::optional<QString>& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    std::optional<QString> openFile(const QString& filter, const QString& directory,
                                    const QString& fileName) override;
    QString pickFolder(QWidget* owner, const QString& instruction) override;
    std::optional<QString> saveFile(const QString& filter, const QString& directory,
                                    const QString& fileName) override;
    std::unique_ptr<Progress> progress(QWidget* owner, const QString& title) override;

  private:
    QStringList inputs_;
    QStringList messages_;
    std::optional<QString> saveAs_;
};
