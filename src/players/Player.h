// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Board.h"

#include <QThread>

// One side of a game. The controller tells it that its turn has come (StartGame
// for red's first move, RequestMove afterwards) and later takes the move it made
// (TakeMove). A QThread so that the computer can search on its own thread; the
// human and network sides never start it.
class Player : public QThread
{
public:
    // Seconds per move of a side whose timer is off; a remote program then has all
    // that time, the computer its own ceiling.
    static constexpr int untimed = 100000;
    // The longest time per move the options take.
    static constexpr int maxSeconds = 999;

    Player(Board *board, int color);

    virtual void RequestMove() = 0;
    // The turn comes back to this side after its opponent passed (or it moves first
    // because red cannot): the opponent's last move does not tell the position.
    virtual void RequestMoveAfterPass() { RequestMove(); }
    virtual Move *TakeMove() = 0;
    virtual void StartGame() = 0;

    int side() const { return color; }

protected:
    Board *const board; // the program's one board; not owned
    const int color;    // 0 red, 1 black
};
