#include "core/userinput.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <limits>

namespace {

class InputWatch : public QObject {
  public:
    InputWatch() {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->installEventFilter(this);
    }
    qint64 since() const {
        return last_.isValid() ? last_.elapsed() : std::numeric_limits<qint64>::max();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
            last_.start();
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    QElapsedTimer last_;
};

} // namespace

qint64 sinceUserInput() {
    // Watched from the first question on: the program asks while its first list is open.
    static InputWatch watch;
    return watch.since();
}
