#pragma once

#include "Player.h"

#include <QObject>

// The computer: searches a private copy of the position on its own thread and
// emits MoveReady() on the GUI thread when the search has finished.
class CPUPlayer : public Player
{
    Q_OBJECT

public:
    CPUPlayer(Board *board, int color, int timeLimit, int level);
    // Stops a running search and waits for it; MoveReady() does not follow.
    ~CPUPlayer() override;

    void RequestMove() override;
    Move *TakeMove() override;
    void StartGame() override;

    // Stops a running search, waits for its thread and discards its result:
    // MoveReady() is not emitted for it.
    void cancelSearch();

    Move move;

signals:
    void MoveReady();

private slots:
    void onThreadFinished();

protected:
    void run() override;
};
