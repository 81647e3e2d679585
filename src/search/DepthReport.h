// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Move.h"

#include <cstdint>

// What one completed depth found at the root: every root move in generation order
// with its exact score, the move chosen and the nodes visited since the search began.
struct DepthReport
{
    // A side has at most 64 stones with at most three moves each.
    static constexpr int capacity = 3 * 64;

    int depth = 0;
    std::int64_t nodeCount = 0;
    int moveCount = 0;
    Move moves[capacity];
    int scores[capacity] = {};
    Move best;
    int bestScore = 0;

    // Level 4 scores no root move on its own (moveCount stays 0); it tells instead the
    // expected line of play from the root and the seconds since the search began.
    static constexpr int lineCapacity = 64;
    int lineLength = 0;
    Move line[lineCapacity];
    double seconds = 0;
    // The deepest ply searched, quiescence included.
    int selectiveDepth = 0;
    // When the score is a sure win, the moves of the side to move until it wins;
    // negated for a sure loss, until the opponent wins; 0 otherwise.
    int movesToEnd = 0;
};
