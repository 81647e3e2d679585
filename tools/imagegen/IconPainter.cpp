// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

namespace {
constexpr int iconSize = 16;

const QColor folderLine(138, 94, 14);
const QColor folderBack(218, 160, 38);
const QColor folderFront(255, 214, 102);

QPainterPath folderBackPath()
{
    QPainterPath path;
    path.moveTo(1.5, 2.5);
    path.lineTo(6.0, 2.5);
    path.lineTo(7.5, 4.0);
    path.lineTo(13.5, 4.0);
    path.lineTo(13.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    return path;
}

void beginPainting(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing);
}
} // namespace

QImage IconPainter::blank()
{
    QImage image(iconSize, iconSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

QImage IconPainter::start()
{
    QImage image = blank();
    QPainter painter(&image);
    beginPainting(painter);
    const QPolygonF triangle({QPointF(3.5, 1.5), QPointF(14.0, 8.0), QPointF(3.5, 14.5)});
    QLinearGradient fill(0, 1, 0, 15);
    fill.setColorAt(0, QColor(140, 235, 110));
    fill.setColorAt(1, QColor(30, 150, 30));
    painter.setPen(QPen(QColor(18, 96, 18), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(fill);
    painter.drawPolygon(triangle);
    return image;
}

QImage IconPainter::open()
{
    QImage image = blank();
    QPainter painter(&image);
    beginPainting(painter);
    painter.setPen(QPen(folderLine, 1.0));
    painter.setBrush(folderBack);
    painter.drawPath(folderBackPath());
    // A sheet of paper standing in the folder.
    painter.setPen(QPen(QColor(150, 150, 150), 1.0));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(3.5, 5.5, 8.0, 5.0));
    // The front flap, swung open toward the viewer.
    const QPolygonF flap({QPointF(4.0, 7.5), QPointF(15.5, 7.5), QPointF(13.0, 13.5), QPointF(1.5, 13.5)});
    QLinearGradient fill(0, 7.5, 0, 13.5);
    fill.setColorAt(0, QColor(255, 236, 150));
    fill.setColorAt(1, folderFront.darker(110));
    painter.setPen(QPen(folderLine, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(fill);
    painter.drawPolygon(flap);
    return image;
}

QImage IconPainter::save()
{
    QImage image = blank();
    QPainter painter(&image);
    beginPainting(painter);
    painter.setPen(QPen(folderLine, 1.0));
    painter.setBrush(folderBack);
    painter.drawPath(folderBackPath().translated(-1.0, 0));
    painter.setBrush(folderFront);
    painter.drawRect(QRectF(0.5, 6.0, 12.0, 7.5));
    // The disc: silver with a coloured sheen and a hole.
    const QPointF centre(10.5, 10.5);
    QRadialGradient sheen(centre, 5.0, QPointF(9.0, 9.0));
    sheen.setColorAt(0, QColor(255, 255, 255));
    sheen.setColorAt(0.45, QColor(190, 215, 245));
    sheen.setColorAt(0.75, QColor(225, 190, 240));
    sheen.setColorAt(1, QColor(160, 170, 185));
    painter.setPen(QPen(QColor(90, 96, 110), 1.0));
    painter.setBrush(sheen);
    painter.drawEllipse(centre, 5.0, 5.0);
    painter.setBrush(QColor(90, 96, 110));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, 1.3, 1.3);
    return image;
}

QImage IconPainter::exit()
{
    QImage image = blank();
    QPainter painter(&image);
    beginPainting(painter);
    // Door frame, and the dark opening of the open door.
    painter.setPen(QPen(QColor(92, 56, 24), 1.0));
    painter.setBrush(QColor(60, 40, 30));
    painter.drawRect(QRectF(1.5, 1.5, 8.0, 13.0));
    // The door leaf, swung inward.
    const QPolygonF leaf({QPointF(1.5, 1.5), QPointF(6.0, 3.0), QPointF(6.0, 13.0), QPointF(1.5, 14.5)});
    QLinearGradient wood(1.5, 0, 6.0, 0);
    wood.setColorAt(0, QColor(196, 128, 62));
    wood.setColorAt(1, QColor(150, 92, 40));
    painter.setBrush(wood);
    painter.drawPolygon(leaf);
    // Arrow heading out to the right.
    painter.setPen(QPen(QColor(150, 10, 10), 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(QColor(230, 40, 30));
    const QPolygonF arrow({QPointF(7.5, 6.5), QPointF(11.0, 6.5), QPointF(11.0, 4.0), QPointF(15.0, 8.0),
                           QPointF(11.0, 12.0), QPointF(11.0, 9.5), QPointF(7.5, 9.5)});
    painter.drawPolygon(arrow);
    return image;
}
