#include "invoices/widgetevents.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

class EventHook : public QObject {
  public:
    EventHook(QWidget* widget, QEvent::Type type, std::function<bool(QEvent*)> handler)
        : QObject(widget), type_(type), handler_(std::move(handler)) {
        widget->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == type_)
            return handler_(event);
        return QObject::eventFilter(watched, event);
    }

  private:
    QEvent::Type type_;
    std::function<bool(QEvent*)> handler_;
};

} // namespace

void onFocusLeaves(QWidget* widget, std::function<void()> handler) {
    new EventHook(widget, QEvent::FocusOut, [handler](QEvent* event) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            handler();
        return false;
    });
}

void onKeyPress(QWidget* widget, std::function<bool(QKeyEvent*)> handler) {
    new EventHook(widget, QEvent::KeyPress,
                  [handler](QEvent* event) { return handler(static_cast<QKeyEvent*>(event)); });
}

bool isEnterKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}
