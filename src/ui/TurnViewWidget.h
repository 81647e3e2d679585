// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameModel.h"

#include <QImage>
#include <QWidget>

// The turn indicator: one stone picture, red or black, for the side to move in the
// position the model shows, while a game is played; nothing otherwise.
class TurnViewWidget : public QWidget
{
    Q_OBJECT

public:
    TurnViewWidget(QWidget *parent, const GameModel *model);

    QSize sizeHint() const override;
    // Whether a game is being played, so that a side is to move.
    void setPlaying(bool on);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showTurn();

    const GameModel *game;
    QImage redStoneImage;
    QImage blackStoneImage;
    bool playing = false;
};
