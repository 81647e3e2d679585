// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReviewSummary.h"

#include <numeric>

void ReviewSummary::add(const PlyReview &ply)
{
    if (ply.label == MoveLabel::None)
        return;
    ++counts[indexOf(ply.mover)][size_t(ply.label)];
    lost[indexOf(ply.mover)] += ply.lost;
}

int ReviewSummary::moves(Side side) const
{
    const auto &of = counts[indexOf(side)];
    return std::accumulate(of.begin(), of.end(), 0);
}

double ReviewSummary::averageLoss(Side side) const
{
    const int made = moves(side);
    return made == 0 ? 0 : lost[indexOf(side)] / made;
}
