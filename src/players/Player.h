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
    Player(Board *board, int color);

    virtual void RequestMove() = 0;
    virtual Move *TakeMove() = 0;
    virtual void StartGame() = 0;

    Board *board; // the program's one board; not owned
    int color;    // 0 red, 1 black
};
