// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PlyReview.h"

#include <QMetaType>

#include <array>

// Each side's labelled moves in a review: how many of each label, and the chance to
// win they gave away on average. Passes do not count.
class ReviewSummary
{
public:
    void add(const PlyReview &ply);

    int count(Side side, MoveLabel label) const { return counts[indexOf(side)][size_t(label)]; }
    // The side's labelled moves.
    int moves(Side side) const;
    // The mean of the side's losses, in [0, 1]; 0 without moves.
    double averageLoss(Side side) const;

private:
    static constexpr std::size_t labels = std::size_t(MoveLabel::Blunder) + 1;
    std::array<std::array<int, labels>, 2> counts{};
    std::array<double, 2> lost{};
};

Q_DECLARE_METATYPE(ReviewSummary)
