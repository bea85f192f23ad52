#pragma once

#include <QDialog>

// The About box (frmAbout): the program's title and version, what it is for and who made it, the
// maker's web address and a way to the system-information tool. Discarded when it closes.
class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* parent = nullptr);

  private:
    QLayout* textColumn();
    QLayout* buttonRow();
};

// "Version 1.0.0": the build's version, each part a plain decimal number.
QString versionText();
