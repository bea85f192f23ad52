#include "screens/screens.h"

#include "core/windowreturn.h"

#include <QMap>
#include <QMetaObject>
#include <QPointer>
#include <QShowEvent>
#include <QWidget>

namespace {
QMap<Screen, Screens::Factory>& factories() {
    static QMap<Screen, Screens::Factory> map;
    return map;
}
QMap<Screen, QPointer<QWidget>>& screens() {
    static QMap<Screen, QPointer<QWidget>> map;
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

QString screenName(Screen screen) {
    switch (screen) {
    case Screen::About:
        return "frmAbout";
    default:
        return "Form" + QString::number(int(screen) + 1);
    }
}

QList<Screen> allScreens() {
    QList<Screen> result;
    for (int i = 0; i <= int(Screen::About); ++i)
        result << Screen(i);
    return result;
}

namespace Screens {

void registerFactory(Screen screen, Factory factory) {
    factories()[screen] = factory;
}

QWidget* existing(Screen screen) {
    return screens().value(screen).data();
}

QWidget* get(Screen which) {
    if (QWidget* screen = existing(which))
        return screen;
    const auto factory = factories().value(which);
    if (!factory)
        return nullptr;
    QWidget* screen = factory();
    screen->setObjectName(screenName(which));
    screens()[which] = screen;
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
    if (QWidget* main = existing(Screen::Main))
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
