// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BitPosition.h"

#include <cstdint>

// Random keys of the positions: one per kind of stone (red, black that wins, other
// black) and square, and one for black to move; a position's key is the exclusive
// or of those that apply, kept up to date move by move.
class ZobristKeys
{
public:
    using Key = std::uint64_t;

    static Key of(const BitPosition &position, Side sideToMove);
    // What a move of side from one square to another changes in the key, the side
    // to move included.
    static Key moveChange(const BitPosition &position, Side side, int from, int to);
    static Key sideChange();

private:
    enum class Kind { redStone, blackRunner, blackOther };
    static Kind kindOn(const BitPosition &position, int square);
    static Key stone(Kind kind, int square);
};
