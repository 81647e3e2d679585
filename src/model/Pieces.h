// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Side.h"

// The codes of a board's cells, as board files, records and the protocol write them.
// Small stones are the codes 1 and 3: they move as stones do but never capture.
namespace Piece {
constexpr int empty = 0;
constexpr int smallBlackStone = 1;
constexpr int blackStone = 2;
constexpr int smallRedStone = 3;
constexpr int redStone = 4;
// The highest code a board may hold.
constexpr int highest = redStone;

// The code of a side's full stone: stoneOf(Side::Red) == 4.
constexpr int stoneOf(Side side)
{
    return side == Side::Red ? redStone : blackStone;
}
} // namespace Piece

// The score of a won position before the plies it took are taken off, so that the
// quickest win scores best (the rules' evaluation and the exact search).
namespace Score {
constexpr int win = 10000;
} // namespace Score
