// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Game.h"

#include <QBasicTimer>
#include <QLabel>

// The time of the side to move, read from the game's clock while it runs: what is
// left of its limit ("12 s"), or, in a game joined from another Zarvik whose host
// keeps the time, how long the move under way has taken ("Ce coup : 0:08").
class ClockLabel : public QLabel
{
    Q_OBJECT

public:
    enum class Shows { Remaining, Elapsed };

    ClockLabel(const Game *game, Shows shows, QWidget *parent = nullptr);

private:
    void timerEvent(QTimerEvent *event) override;
    void refresh();
    std::optional<QString> text() const;

    const Game *game;
    const Shows shows;
    QBasicTimer ticks;
};
