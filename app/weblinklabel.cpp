#include "app/weblinklabel.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

WebLinkLabel::WebLinkLabel(const QString& address, QWidget* parent) : QLabel(address, parent) {
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
    setAccessibleDescription(tr("Opens the web site in the browser"));
    QFont font = this->font();
    font.setUnderline(true);
    setFont(font);
    setForegroundRole(QPalette::Link);
}

void WebLinkLabel::mouseMoveEvent(QMouseEvent* event) {
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0, 0, 255));
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
    setForegroundRole(QPalette::WindowText);
    setAutoFillBackground(true);
    QLabel::mouseMoveEvent(event);
}

void WebLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        QDesktopServices::openUrl(QUrl(text()));
    QLabel::mouseReleaseEvent(event);
}
