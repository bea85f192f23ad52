#pragma once

#include "core/dialogs.h"

// The program's dialogs: Qt's message box, input box, file dialog and folder picker, and a list
// to choose a row from.
class QtDialogs : public Dialogs {
  public:
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
};
