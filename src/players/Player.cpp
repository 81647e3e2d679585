// SPDX-License-Identifier: GPL-3.0-or-later
#include "Player.h"

Player::Player(Board *board, int color)
    : QThread(nullptr), board(board), color(color)
{
}
