#pragma once

#include <QEvent>
#include <QImage>
#include <QWidget>

// Counts the paint events that reach the widget it is installed on, and renders
// that widget for inspection without counting it as a repaint.
class PaintCounter : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }

    // The widget drawn over a plain ground, so that what it leaves undrawn shows.
    QImage render(QWidget *widget, QRgb ground)
    {
        const int painted = count;
        QImage image(widget->size(), QImage::Format_RGB32);
        image.fill(ground);
        widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        count = painted;
        return image;
    }

    int count = 0;
};
