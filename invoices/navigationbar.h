#pragma once

#include <QFrame>

class DataSource;
class QLabel;

// The visible part of a data control: a caption and the buttons that move to the first,
// previous, next and last record.
class NavigationBar : public QFrame {
    Q_OBJECT
  public:
    NavigationBar(QWidget* parent, const QString& name, DataSource* source);
    void setCaption(const QString& caption);
    QString caption() const;

  private:
    void addMove(const QString& text, const QString& spokenName, void (DataSource::*move)());

    DataSource* source_;
    QLabel* caption_;
};
