// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Side.h"

#include <cstddef>

// What one thread of level 4 learns about quiet moves while it searches, to try
// first the moves that refuted other positions: two killer moves per ply (cut-offs
// at the same distance from the root), a counter move per move of the opponent, and
// a history score per side and move that rises with every cut-off and falls for the
// quiet moves tried before it in vain. Moves are packed from | to << 6, 0 for none.
class MoveHistory
{
public:
    static constexpr int maxPly = 96;
    // History scores stay within plus or minus this.
    static constexpr int historyLimit = 1 << 14;

    // Before each new search: the killer moves go, the history is halved.
    void newSearch();

    // How early a quiet move is tried: killer moves first, then the counter move to
    // the opponent's last move, then by history.
    int quietOrder(Side side, int move, int ply, int previousMove) const
    {
        if (move == killers[ply][0])
            return killerOrder + 1;
        if (move == killers[ply][1])
            return killerOrder;
        if (previousMove != 0 && counters[indexOf(~side)][previousMove] == move)
            return counterOrder;
        return history[indexOf(side)][move];
    }
    int historyOf(Side side, int move) const { return history[indexOf(side)][move]; }

    // A quiet move cut off the search depth plies deep after the quiet moves tried
    // before it (failed) did not.
    void rewardCut(Side side, int move, int ply, int previousMove, int depth, const int *failed, int failedCount);

private:
    // Above every history score, so that killer and counter moves come first.
    static constexpr int killerOrder = 4 * historyLimit;
    static constexpr int counterOrder = 3 * historyLimit;
    static constexpr int killerSlots = 2;
    static constexpr int moveSlots = 64 * 64;

    static void adjust(int &score, int bonus);

    int killers[maxPly][killerSlots] = {};
    int counters[2][moveSlots] = {};
    int history[2][moveSlots] = {};
};
