// SPDX-License-Identifier: GPL-3.0-or-later
#include "HumanPlayer.h"

HumanPlayer::HumanPlayer(Side side, QObject *parent)
    : Player(side, parent)
{
}

void HumanPlayer::play(const Turn & /*turn*/)
{
    asked = true;
}

void HumanPlayer::stop()
{
    asked = false;
}

// A click that comes while the seat is not asked (the other side's turn, a game
// over) is nobody's move.
void HumanPlayer::enter(const Move &move)
{
    if (!asked)
        return;
    asked = false;
    emit moved(move);
}
