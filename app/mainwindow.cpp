#include "app/mainwindow.h"

#include <QLabel>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle("Main");
    auto* letterhead = new QWidget(this);
    letterhead->setObjectName("SSPanel2");
    auto* layout = new QVBoxLayout(letterhead);
    for (int number = 1; number <= 5; ++number)
        layout->addWidget(letterheadLabel(number));
    setCentralWidget(letterhead);
    resize(640, 420);
}

QLabel* MainWindow::letterheadLabel(int number) {
    auto* label = new QLabel(this);
    label->setObjectName("Label" + QString::number(number));
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setBold(number <= 2);
    font.setPointSizeF(number == 1 ? 16 : number == 2 ? 13 : 10);
    label->setFont(font);
    return label;
}
