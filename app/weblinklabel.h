#pragma once

#include <QLabel>

// A web address that opens in the browser when clicked. Once the mouse has moved over it, its
// background is pure blue for as long as it exists.
class WebLinkLabel : public QLabel {
    Q_OBJECT
  public:
    explicit WebLinkLabel(const QString& address, QWidget* parent = nullptr);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
