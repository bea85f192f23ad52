#pragma once

#include <QFrame>

struct Letterhead;
class QLabel;

// The main window's letterhead (SSPanel2): clinic name, doctor name and three qualification lines
// in Label1 to Label5, centred and wrapped. However long a line, the panel asks for the height
// that shows it whole.
class LetterheadPanel : public QFrame {
    Q_OBJECT
  public:
    explicit LetterheadPanel(const Letterhead& letterhead, QWidget* parent = nullptr);
    // The one place that writes the letterhead into Label1 to Label5.
    void showLetterhead(const Letterhead& letterhead);

  protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QLabel* line(int number, const QString& role);
    void askForWholeLines();
};
