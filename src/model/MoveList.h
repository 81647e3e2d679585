// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Move.h"

// A fixed-capacity list of moves, filled by the rules. Callers create one fresh
// local list per use; generation never comes near the capacity.
struct MoveList
{
    static constexpr int capacity = 512;

    Move moves[capacity];
    int count = 0;

    // Appends (fromX, fromY) -> (toX, toY) with captured 0. Logs "trop long!" when the
    // list has just become full; a move offered to a full list is dropped rather than
    // written past the end.
    void add(int fromX, int fromY, int toX, int toY);
};
