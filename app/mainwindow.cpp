#include "app/mainwindow.h"

#include "app/letterheadpanel.h"
#include "app/logodrawing.h"
#include "app/mainmenubar.h"
#include "app/picturebox.h"
#include "core/apperror.h"
#include "core/programdir.h"
#include "screens/screens.h"
#include "screens/widgets.h"
#include "settings/appsettings.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QPushButton>
#include <QTimer>

namespace {

bool countsAsWorkingScreen(const QWidget* screen, const QWidget* main) {
    return screen != main && screen != Screens::existing(Screen::About);
}

} // namespace

MainWindow::MainWindow(AppSettingsRecord& settings, QWidget* parent)
    : QMainWindow(parent), settings_(settings) {
    setObjectName("Form2");
    setWindowTitle(tr("Main"));
    setAccessibleName(tr("Main"));
    setWindowIcon(applicationIcon());

    auto* central = new QWidget(this);
    auto* layout = new QGridLayout(central);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(12);
    layout->addWidget(logoPanel(), 0, 0);
    layout->addWidget(new LetterheadPanel(settings_.letterhead, this), 0, 1);
    layout->addWidget(buttonPanel(), 1, 0, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 3);
    layout->setRowStretch(0, 1);
    setCentralWidget(central);

    buildMainMenuBar(*this, *picture_, settings_);
    showStoredLogo();
    resize(680, 500);
}

QWidget* MainWindow::buttonPanel() {
    QFrame* frame = makePanel(this, "SSPanel1", tr("Working screens"));
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(12, 12, 12, 12);
    grid->setSpacing(10);
    // Created in tab order, placed two by two.
    grid->addWidget(screenButton(1, tr("Patients File"), Screen::PatientFile), 0, 0);
    grid->addWidget(screenButton(2, tr("Search"), Screen::PatientSearch), 0, 1);
    grid->addWidget(screenButton(3, tr("Reports"), Screen::PeriodicReports), 1, 0);
    grid->addWidget(screenButton(4, tr("Description Entry"), Screen::Catalog), 1, 1);
    grid->addWidget(screenButton(5, tr("Invoices"), Screen::OpenFile), 2, 1);
    grid->addWidget(screenButton(6, tr("Invoices Replacment"), Screen::InvoiceList), 2, 0);
    QPushButton* quit = screenButton(7, tr("Quit"), std::nullopt);
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
    grid->addWidget(quit, 3, 0, 1, 2);
    return frame;
}

QPushButton* MainWindow::screenButton(int number, const QString& caption,
                                      std::optional<Screen> screen) {
    QPushButton* button = makeButton(this, "SSCommand" + QString::number(number), caption);
    button->setMinimumHeight(38);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    if (screen)
        connect(button, &QPushButton::clicked, this, [this, screen] { openScreen(*screen); });
    return button;
}

QWidget* MainWindow::logoPanel() {
    QFrame* frame = makePanel(this, "SSPanel3", tr("Logo"));
    // The logo stands on the same paper as the letterhead beside it.
    frame->setBackgroundRole(QPalette::Base);
    frame->setAutoFillBackground(true);
    auto* box = new QVBoxLayout(frame);
    box->setContentsMargins(8, 8, 8, 8);
    picture_ = new PictureBox(frame);
    picture_->setObjectName("Picture1");
    picture_->setAccessibleName(tr("Clinic logo"));
    box->addWidget(picture_);
    return frame;
}

// A stored logo that cannot be read leaves the design-time picture in place rather than keeping
// the program from starting.
void MainWindow::showStoredLogo() {
    const QString& logo = settings_.logo;
    if (logo.isEmpty() || !fileExists(logo))
        return;
    try {
        picture_->setPicture(LoadPicture(logo));
    } catch (const AppError&) {
    }
}

void MainWindow::openScreen(Screen which) {
    QWidget* screen = Screens::get(which);
    if (!screen)
        return;
    setEnabled(false);
    watchScreens();
    screen->show();
    screen->raise();
    screen->activateWindow();
}

// Screens give the main window back themselves when they close. Watching them too means that no
// way of closing one can leave the user before a window that cannot be used.
void MainWindow::watchScreens() {
    for (QWidget* screen : Screens::loaded()) {
        if (!countsAsWorkingScreen(screen, this))
            continue;
        screen->installEventFilter(this);
        connect(screen, &QObject::destroyed, this, &MainWindow::checkScreensLater,
                Qt::UniqueConnection);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide)
        checkScreensLater();
    return QMainWindow::eventFilter(watched, event);
}

// Checked once the handler that hid the screen has run: the open-file dialog hides itself and
// shows the invoice screen in one go.
void MainWindow::checkScreensLater() {
    QTimer::singleShot(0, this, &MainWindow::enableWhenNoScreenShown);
}

// A screen still shown may have been opened by another one (the invoice screen by the open-file
// dialog): it is watched from now on.
void MainWindow::enableWhenNoScreenShown() {
    for (const QWidget* screen : Screens::loaded()) {
        if (countsAsWorkingScreen(screen, this) && screen->isVisible()) {
            watchScreens();
            return;
        }
    }
    setEnabled(true);
}

// Quitting discards every other screen without its closing handlers.
void MainWindow::closeEvent(QCloseEvent* event) {
    for (QWidget* screen : Screens::loaded())
        if (screen != this)
            screen->hide();
    event->accept();
}
