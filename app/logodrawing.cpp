#include "app/logodrawing.h"

#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// The largest square that fits the area, centred in it.
QRectF centredSquare(const QRectF& area) {
    const qreal side = qMin(area.width(), area.height());
    QRectF square(0, 0, side, side);
    square.moveCenter(area.center());
    return square;
}

void drawDisc(QPainter& painter, const QRectF& square) {
    QLinearGradient shade(square.topLeft(), square.bottomRight());
    shade.setColorAt(0, QColor(0x2a, 0xa1, 0x98));
    shade.setColorAt(1, QColor(0x11, 0x5e, 0x67));
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawEllipse(square);
    const qreal inset = square.width() * 0.07;
    painter.setPen(QPen(QColor(255, 255, 255, 170), square.width() * 0.025));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(square.adjusted(inset, inset, -inset, -inset));
}

void drawCross(QPainter& painter, const QRectF& square) {
    const qreal arm = square.width() * 0.17;
    const qreal length = square.width() * 0.56;
    QRectF upright(0, 0, arm, length);
    QRectF across(0, 0, length, arm);
    upright.moveCenter(square.center());
    across.moveCenter(square.center());
    QPainterPath cross;
    cross.setFillRule(Qt::WindingFill);
    cross.addRoundedRect(upright, arm * 0.22, arm * 0.22);
    cross.addRoundedRect(across, arm * 0.22, arm * 0.22);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPath(cross.simplified());
}

} // namespace

void drawDesignLogo(QPainter& painter, const QRectF& area) {
    const QRectF square = centredSquare(area);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    drawDisc(painter, square);
    drawCross(painter, square);
    painter.restore();
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        drawDesignLogo(painter, QRectF(0, 0, side, side));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
