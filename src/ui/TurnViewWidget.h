// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameModel.h"

#include <QImage>
#include <QWidget>

// The turn indicator: one stone picture, red or black, for the side to move in the
// position the model shows.
class TurnViewWidget : public QWidget
{
    Q_OBJECT

public:
    TurnViewWidget(QWidget *parent, const GameModel *model);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showTurn();

    const GameModel *game;
    QImage redStoneImage;
    QImage blackStoneImage;
};
