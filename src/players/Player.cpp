// SPDX-License-Identifier: GPL-3.0-or-later
#include "Player.h"

Player::Player(Side side, QObject *parent)
    : QObject(parent), seatSide(side)
{
}
