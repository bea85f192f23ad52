#include "app/qtdialogs.h"

#include "core/isolatedtext.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QMessageBox::Icon qtIcon(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Critical:
        return QMessageBox::Critical;
    case Dialogs::Icon::Question:
        return QMessageBox::Question;
    case Dialogs::Icon::Exclamation:
        return QMessageBox::Warning;
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QWidget* activeWindow() {
    return QApplication::activeWindow();
}

// Paths, numbers and Latin names inside an Arabic text keep their own order.
QString shown(const QString& text) {
    return isolatedIn(QApplication::layoutDirection(), text);
}

// "Pictures (*.jpg;*.png)|*.jpg;*.png" becomes "Pictures (*.jpg;*.png) (*.jpg *.png)".
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return filters.join(";;");
}

// Qt's progress dialog, modal over its owner, appearing only when the work is not over within
// half a second. Once shown, every change is drawn at once: a report's thousands of pages a
// second would spend more on drawing the window than on the pages, so it changes some ten times
// a second, and at the last step. The Cancel button is heard as often.
class ProgressWindow : public Progress {
  public:
    ProgressWindow(QWidget* owner, const QString& title) : dialog_(owner) {
        dialog_.setWindowTitle(title);
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(500);
        dialog_.setAutoReset(false);
        dialog_.setAutoClose(false);
        dialog_.setValue(0);
    }

    bool advance(const QString& text, int done, int total) override {
        if (changed_.isValid() && !changed_.hasExpired(kChangeInterval) && done != total)
            return !dialog_.wasCanceled();
        changed_.start();
        dialog_.setMaximum(total);
        dialog_.setLabelText(text);
        dialog_.setValue(done);
        return !dialog_.wasCanceled();
    }

  private:
    static constexpr qint64 kChangeInterval = 100;
    QProgressDialog dialog_;
    QElapsedTimer changed_;
};

// A list under a prompt, with OK and Cancel; a double click chooses the row too.
class ChooseRowDialog : public QDialog {
  public:
    ChooseRowDialog(QWidget* owner, const QString& title, const QString& prompt,
                    const QStringList& headings, const QList<QStringList>& rows)
        : QDialog(owner), list_(new QTreeWidget(this)) {
        setWindowTitle(title);
        setAccessibleName(title);
        auto* label = new QLabel(shown(prompt), this);
        label->setWordWrap(true);
        list_->setObjectName("ChoiceList");
        list_->setAccessibleName(title);
        list_->setHeaderLabels(headings);
        list_->setRootIsDecorated(false);
        list_->setAlternatingRowColors(true);
        for (const QStringList& row : rows) {
            QStringList cells;
            for (const QString& cell : row)
                cells << shown(cell);
            list_->addTopLevelItem(new QTreeWidgetItem(cells));
        }
        list_->setCurrentItem(list_->topLevelItem(0));
        for (int column = 0; column < headings.size(); ++column) {
            list_->resizeColumnToContents(column);
            list_->setColumnWidth(column, list_->columnWidth(column) + 24);
        }
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!rows.isEmpty());
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        connect(list_, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(label);
        layout->addWidget(list_, 1);
        layout->addWidget(buttons);
        resize(720, 420);
    }

    int chosenRow() const { return list_->indexOfTopLevelItem(list_->currentItem()); }

  private:
    QTreeWidget* list_;
};

} // namespace

Dialogs::Answer QtDialogs::message(const QString& text, Buttons buttons, Icon icon,
                                   const std::optional<QString>& title) {
    const QString shownTitle = title.value_or(QApplication::applicationName());
    QMessageBox box(qtIcon(icon), shownTitle.isEmpty() ? kNoCaption : shownTitle, shown(text),
                    buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                              : QMessageBox::Ok,
                    activeWindow());
    const int pressed = box.exec();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title,
                            const QString& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(activeWindow(), title.isEmpty() ? kNoCaption : title,
                                               shown(prompt), QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

std::optional<QString> QtDialogs::chooseItem(const QString& prompt, const QString& title,
                                             const QStringList& items, int current) {
    bool ok = false;
    const QString chosen =
        QInputDialog::getItem(activeWindow(), title.isEmpty() ? kNoCaption : title, shown(prompt),
                              items, current, false, &ok);
    if (!ok)
        return std::nullopt;
    return chosen;
}

std::optional<QString> QtDialogs::openFile(const QString& filter, const QString& directory,
                                           const QString& fileName) {
    const QString start = fileName.isEmpty() ? directory : fileName;
    const QString chosen =
        QFileDialog::getOpenFileName(activeWindow(), QString(), start, qtFilter(filter));
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

QString QtDialogs::pickFolder(QWidget* owner, const QString& instruction) {
    return QFileDialog::getExistingDirectory(owner, instruction);
}

std::optional<QString> QtDialogs::saveFile(const QString& filter, const QString& directory,
                                           const QString& fileName) {
    const QString start = QDir(directory).filePath(fileName);
    const QString chosen =
        QFileDialog::getSaveFileName(activeWindow(), QString(), start, qtFilter(filter));
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

std::optional<int> QtDialogs::chooseRow(const QString& title, const QString& prompt,
                                        const QStringList& headings,
                                        const QList<QStringList>& rows) {
    ChooseRowDialog dialog(activeWindow(), title, prompt, headings, rows);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenRow();
}

std::unique_ptr<Progress> QtDialogs::progress(QWidget* owner, const QString& title) {
    return std::make_unique<ProgressWindow>(owner, title);
}
