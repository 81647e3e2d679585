// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEvent>
#include <QWidget>

// Counts the paint events of the widget it watches, and renders that widget over
// magenta (so that what it leaves undrawn shows) without counting it as a repaint.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget &widget) : widget(widget) { widget.installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override { return count += event->type() == QEvent::Paint, false; }

    QImage render()
    {
        QImage image(widget.size(), QImage::Format_RGB32);
        image.fill(qRgb(255, 0, 255));
        widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        --count;
        return image;
    }

    QWidget &widget;
    int count = 0;
};
