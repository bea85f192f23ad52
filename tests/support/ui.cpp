#include "ui.h"

#include "screens/screens.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {

QPoint rowCentre(const QTableView* grid, int row) {
    return grid->visualRect(grid->model()->index(row, 0)).center();
}

QWidget* bringUp(Screen which) {
    mainWindow()->setEnabled(false);
    QWidget* screen = Screens::get(which);
    screen->show();
    screen->activateWindow();
    return screen;
}

} // namespace

QLineEdit* box(QWidget* screen, const QString& name) {
    return child<QLineEdit>(screen, name);
}

QTableView* grid(QWidget* screen, const QString& name) {
    return child<QTableView>(screen, name);
}

void click(QWidget* screen, const QString& button) {
    QTest::mouseClick(child<QPushButton>(screen, button), Qt::LeftButton);
}

void trigger(QWidget* screen, const QString& menuItem) {
    child<QAction>(screen, menuItem)->trigger();
}

void chooseOption(QWidget* screen, const QString& name) {
    auto* option = child<QRadioButton>(screen, name);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
}

void clickRow(QTableView* grid, int row) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rowCentre(grid, row));
}

void doubleClickRow(QTableView* grid, int row) {
    clickRow(grid, row);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, rowCentre(grid, row));
}

void retype(QWidget* screen, const QString& name, const QString& text) {
    QLineEdit* edit = box(screen, name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

void typeAndTab(QWidget* screen, const QString& name, const QString& text) {
    QLineEdit* edit = box(screen, name);
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    typeText(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
    QCoreApplication::processEvents();
}

void standInForMainWindow() {
    Screens::registerFactory(Screen::Main, [] { return new QWidget; });
    mainWindow();
}

QWidget* mainWindow() {
    return Screens::get(Screen::Main);
}

QWidget* showScreen(Screen which) {
    QWidget* screen = bringUp(which);
    QCoreApplication::processEvents();
    return screen;
}

QWidget* showActiveScreen(Screen which) {
    QWidget* screen = bringUp(which);
    if (!QTest::qWaitForWindowActive(screen))
        qFatal("%s did not become active", qPrintable(screenName(which)));
    QCoreApplication::processEvents();
    return screen;
}

void press(QWidget* screen, const QString& button) {
    click(screen, button);
    QCoreApplication::processEvents();
}

QWidget* opened(Screen which) {
    const QString name = screenName(which);
    QWidget* screen = Screens::existing(which);
    if (!screen || !screen->isVisible())
        qFatal("%s is not open", qPrintable(name));
    screen->activateWindow();
    if (!QTest::qWaitForWindowActive(screen))
        qFatal("%s did not become active", qPrintable(name));
    QCoreApplication::processEvents();
    return screen;
}

void discardClosed() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

bool isDeleted(const QPointer<QWidget>& screen) {
    discardClosed();
    return screen.isNull();
}

QStringList columnOf(const QAbstractItemModel* model, int column) {
    QStringList values;
    for (int row = 0; row < model->rowCount(); ++row)
        values << model->index(row, column).data().toString();
    return values;
}

QStringList columnOf(const QTableView* grid, int column) {
    return columnOf(grid->model(), column);
}

void typeInto(QWidget* screen, const QString& name, const QString& typed, const QString& next) {
    QLineEdit* edit = box(screen, name);
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, typed);
    child(screen, next)->setFocus(Qt::TabFocusReason);
}
