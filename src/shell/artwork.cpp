#include "shell/artwork.h"

#include <QColor>
#include <QFile>
#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QSvgRenderer>
#include <QtMath>

namespace quarrion {

namespace {

QString IconPath(const QString& name) {
    return QStringLiteral(":/icons/%1.svg").arg(name);
}

}  // namespace

QPixmap Artwork::Picture(const QString& name, int size) {
    QSvgRenderer renderer(IconPath(name));
    if (!renderer.isValid()) return QPixmap();
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return pixmap;
}

QIcon Artwork::Icon(const QString& name) {
    if (!QFile::exists(IconPath(name))) return QIcon();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(Picture(name, size));
    return icon;
}

QPixmap Artwork::BusyFrame(int frame, int size) {
    frame = ((frame % BusyFrameCount) + BusyFrameCount) % BusyFrameCount;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QPointF centre(size / 2.0, size / 2.0);
    const double ring = size * 0.34;
    const double stone = size * 0.11;
    for (int i = 0; i < BusyFrameCount; ++i) {
        // The lead stone is brightest; the ones behind it fade, so the ring turns.
        int behind = (frame - i + BusyFrameCount) % BusyFrameCount;
        QColor colour(27, 153, 139);
        colour.setAlphaF(1.0 - behind * 0.15);
        double angle = qDegreesToRadians(-90.0 + i * 360.0 / BusyFrameCount);
        QPointF at(centre.x() + ring * qCos(angle), centre.y() + ring * qSin(angle));
        painter.setBrush(colour);
        double radius = behind == 0 ? stone * 1.25 : stone;
        painter.drawEllipse(at, radius, radius);
    }
    return pixmap;
}

QPixmap Artwork::SplashPicture() {
    QPixmap pixmap(420, 220);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, 0, pixmap.height());
    background.setColorAt(0, QColor(31, 78, 95));
    background.setColorAt(1, QColor(18, 48, 59));
    painter.fillRect(pixmap.rect(), background);
    QSvgRenderer logo(IconPath(QStringLiteral("quarrion")));
    logo.render(&painter, QRectF(28, 58, 104, 104));
    painter.setPen(Qt::white);
    QFont title = painter.font();
    title.setPointSize(30);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(150, 62, 260, 50), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Quarrion"));
    QFont line = painter.font();
    line.setPointSize(11);
    line.setBold(false);
    painter.setFont(line);
    painter.setPen(QColor(156, 201, 193));
    painter.drawText(QRect(152, 112, 260, 44), Qt::AlignLeft | Qt::TextWordWrap,
                     QStringLiteral("Finds QuickBooks lists and transactions across many types "
                                    "at once."));
    return pixmap;
}

}  // namespace quarrion
