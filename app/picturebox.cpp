#include "app/picturebox.h"

#include "app/logodrawing.h"
#include "core/apperror.h"
#include "core/programdir.h"

#include <QCoreApplication>
#include <QImageReader>
#include <QPainter>

QPixmap LoadPicture(const QString& path) {
    if (!fileExists(path))
        throw AppError(ErrorNumber::FileNotFound,
                       QCoreApplication::translate("PictureBox", "File not found"));
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        throw AppError(ErrorNumber::InvalidPicture,
                       QCoreApplication::translate("PictureBox", "Invalid picture"));
    return QPixmap::fromImage(image);
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setMinimumSize(96, 96);
}

void PictureBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

QSize PictureBox::sizeHint() const {
    return QSize(150, 150);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF area = QRectF(rect()).adjusted(4, 4, -4, -4);
    if (picture_.isNull()) {
        drawDesignLogo(painter, area);
        return;
    }
    const QSizeF fitted = QSizeF(picture_.size()).scaled(area.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(), fitted);
    target.moveCenter(area.center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, picture_, QRectF(picture_.rect()));
}
