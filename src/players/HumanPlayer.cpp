// SPDX-License-Identifier: GPL-3.0-or-later
#include "HumanPlayer.h"

HumanPlayer::HumanPlayer(Side side, int timeLimit, QObject *parent)
    : Player(side, parent), timeLimit(timeLimit)
{
    clock.setSingleShot(true);
    clock.setTimerType(Qt::PreciseTimer);
    connect(&clock, &QTimer::timeout, this, [this] {
        asked = false;
        emit failed(Failure::TimeOut);
    });
}

void HumanPlayer::play(const Turn & /*turn*/)
{
    asked = true;
    if (timeLimit < Player::untimed)
        clock.start(qMax(0, timeLimit) * 1000);
}

void HumanPlayer::stop()
{
    asked = false;
    clock.stop();
}

// A click that comes while the seat is not asked (the other side's turn, a game
// over) is nobody's move.
void HumanPlayer::enter(const Move &move)
{
    if (!asked)
        return;
    asked = false;
    clock.stop();
    emit moved(move);
}
