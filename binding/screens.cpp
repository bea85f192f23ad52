#include "binding/screens.h"

#include "core/windowreturn.h"

#include <QMap>
#include <QMetaObject>
#include <QPointer>
#include <QShowEvent>
#include <QWidget>

namespace {
QMap<QString, Screens::Factory>& factories() {
    static QMap<QString, Screens::Factory> map;
    return map;
}
QMap<QString, QPointer<QWidget>>& screens() {
    static QMap<QString, QPointer<QWidget>> map;
    return map;
}
// Runs a screen's activation when a window shown over it has closed.
class ReturnWatch : public QObject {
    Q_OBJECT
  public:
    ReturnWatch(QWidget* screen, std::function<void()> work)
        : QObject(screen), work_(std::move(work)) {
        screen->installEventFilter(this);
    }
    void setWork(std::function<void()> work) { work_ = std::move(work); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != windowReturnEvent())
            return QObject::eventFilter(watched, event);
        work_();
        return true;
    }

  private:
    std::function<void()> work_;
};

} // namespace

namespace Screens {

void registerFactory(const QString& name, Factory factory) {
    factories()[name] = factory;
}

QWidget* existing(const QString& name) {
    return screens().value(name).data();
}

QWidget* get(const QString& name) {
    if (QWidget* screen = existing(name))
        return screen;
    const auto factory = factories().value(name);
    if (!factory)
        return nullptr;
    QWidget* screen = factory();
    screen->setObjectName(name);
    screens()[name] = screen;
    return screen;
}

QList<QWidget*> loaded() {
    QList<QWidget*> result;
    for (const auto& screen : screens())
        if (screen)
            result << screen.data();
    return result;
}

void reset() {
    for (const auto& screen : screens())
        delete screen.data();
    screens().clear();
    factories().clear();
}

void enableMainWindow(bool enabled) {
    if (QWidget* main = existing("Form2"))
        main->setEnabled(enabled);
}

void whenOpened(QWidget* screen, const QShowEvent* event, std::function<void()> work) {
    if (!event->spontaneous())
        QMetaObject::invokeMethod(screen, std::move(work), Qt::QueuedConnection);
}

void onActivation(QWidget* screen, const QShowEvent* event, std::function<void()> work) {
    if (auto* watch = screen->findChild<ReturnWatch*>(QString(), Qt::FindDirectChildrenOnly))
        watch->setWork(work);
    else
        new ReturnWatch(screen, work);
    whenOpened(screen, event, std::move(work));
}

} // namespace Screens

#include "screens.moc"
