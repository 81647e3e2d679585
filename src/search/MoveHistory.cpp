// SPDX-License-Identifier: GPL-3.0-or-later
#include "MoveHistory.h"

#include <algorithm>
#include <cstdlib>

namespace {
// A cut-off weighs with the square of its depth, up to a limit.
constexpr int bonusPerSquaredPly = 32;
constexpr int maxBonus = 2000;
} // namespace

void MoveHistory::newSearch()
{
    std::fill(&killers[0][0], &killers[0][0] + maxPly * killerSlots, 0);
    for (auto &bySide : history)
        for (int &score : bySide)
            score /= 2;
}

void MoveHistory::rewardCut(Side side, int move, int ply, int previousMove, int depth, const int *failed,
                            int failedCount)
{
    if (killers[ply][0] != move) {
        killers[ply][1] = killers[ply][0];
        killers[ply][0] = move;
    }
    if (previousMove != 0)
        counters[indexOf(~side)][previousMove] = move;
    const int bonus = std::min(maxBonus, bonusPerSquaredPly * depth * depth);
    int *scores = history[indexOf(side)];
    adjust(scores[move], bonus);
    for (int i = 0; i < failedCount; ++i)
        adjust(scores[failed[i]], -bonus);
}

// Scores move toward the bonus's end of the range by a share of the way left, so
// that they stay within the limit and recent cut-offs weigh more than old ones.
void MoveHistory::adjust(int &score, int bonus)
{
    score += bonus - score * std::abs(bonus) / historyLimit;
}
