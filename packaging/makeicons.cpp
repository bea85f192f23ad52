// Writes the program's icon for the desktop's icon theme, drawn by the same logo drawing that the
// program shows: DIR/scalable.svg and DIR/SIZE.png for each size given.
#include "app/logodrawing.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextStream>

namespace {

constexpr int kSvgSide = 256;

bool writeSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kSvgSide, kSvgSide));
    svg.setViewBox(QRect(0, 0, kSvgSide, kSvgSide));
    svg.setTitle("Korvel");
    QPainter painter(&svg);
    // Every group carries the painter's font; with none set it would read font-size="-1".
    painter.setFont(QFont("sans-serif", 12));
    drawDesignLogo(painter, QRectF(0, 0, kSvgSide, kSvgSide));
    return painter.end();
}

bool writePng(const QString& path, int side) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawDesignLogo(painter, QRectF(0, 0, side, side));
    painter.end();
    return image.save(path, "PNG");
}

} // namespace

int main(int argc, char* argv[]) {
    QTextStream err(stderr);
    if (argc < 2) {
        err << "usage: korvel_makeicons DIR SIZE...\n";
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(".") || !writeSvg(dir.filePath("scalable.svg"))) {
        err << "cannot write " << dir.filePath("scalable.svg") << "\n";
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const int side = QByteArray(argv[i]).toInt();
        const QString path = dir.filePath(QString("%1.png").arg(side));
        if (side <= 0 || !writePng(path, side)) {
            err << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
