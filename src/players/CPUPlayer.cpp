#include "CPUPlayer.h"

// Placeholder until the search lands: plays the first legal move.
CPUPlayer::CPUPlayer(Board *board, int color, int, int)
    : Player(board, color)
{
    connect(this, SIGNAL(finished()), this, SLOT(onThreadFinished()));
}

CPUPlayer::~CPUPlayer()
{
    cancelSearch();
}

void CPUPlayer::RequestMove()
{
    MoveList list;
    board->generateMoves(color, list);
    if (list.count > 0)
        move = list.moves[0];
    start();
}

Move *CPUPlayer::TakeMove()
{
    return &move;
}

void CPUPlayer::StartGame()
{
    RequestMove();
}

void CPUPlayer::cancelSearch()
{
    disconnect(this, SIGNAL(MoveReady()), nullptr, nullptr);
    wait();
}

void CPUPlayer::onThreadFinished()
{
    emit MoveReady();
}

void CPUPlayer::run()
{
}
