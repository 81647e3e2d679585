// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

// The turn indicator: one stone picture, red or black, for the side to move.
class TurnViewWidget : public QWidget
{
    Q_OBJECT

public:
    explicit TurnViewWidget(QWidget *parent);

    // 0 shows red, 1 black; any other value keeps the picture. Always repaints.
    void showTurn(int side);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage redStoneImage;
    QImage blackStoneImage;
    const QImage *currentImage = &redStoneImage; // red at construction
};
