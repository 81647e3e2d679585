// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>

// A round, slightly domed stone lit from the upper left, with a soft highlight
// and a soft shadow cast on what lies under it. The centre of the stone shows the
// base colour exactly.
class StonePainter
{
public:
    StonePainter(const QColor &base, const QColor &highlight, double highlightStrength);

    // Draws the stone of the given radius (pixels) centred at centre onto image,
    // antialiased; works on opaque and on transparent pictures.
    void paint(QImage &image, const QPointF &centre, double radius) const;

private:
    // Colour of the stone at (dx, dy), a point of the unit disc.
    QColor shade(double dx, double dy) const;
    void castShadow(QImage &image, const QPointF &centre, double radius) const;

    QColor base;
    QColor highlight;
    double highlightStrength;
};
