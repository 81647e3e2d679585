// SPDX-License-Identifier: GPL-3.0-or-later
#include "HumanPlayer.h"

HumanPlayer::HumanPlayer(Board *board, int color)
    : Player(board, color)
{
}

void HumanPlayer::RequestMove()
{
}

Move *HumanPlayer::TakeMove()
{
    return &move;
}

void HumanPlayer::StartGame()
{
}
