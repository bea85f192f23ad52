#include "binding/screens.h"

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

} // namespace Screens
