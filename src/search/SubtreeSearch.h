// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BitPosition.h"
#include "SearchBudget.h"

#include <atomic>

// The exact minimax below one root move, with alpha-beta cut-offs inside the root
// move's own full window: what one thread of FastSearch does. Each thread has its
// own copy of the root and its own node count and clock, so they share nothing
// while they search. Aligned to a cache line so that the counters of two threads
// never share one.
class alignas(64) SubtreeSearch
{
public:
    using RootScorer = int (SubtreeSearch::*)(const Move &move);

    // The scorer of root moves for the side the search plays for, at that level.
    static RootScorer rootScorer(Side color, int level);

    // A new search from root: the node count starts again from 0 and the clock now.
    void start(const BitPosition &root, double timeLimit, const std::atomic<bool> *abort);
    // Root moves are scored from now on to depth plies.
    void setDepth(int depth) { evaluationPly = depth; }
    // The score of a root move with the full window; meaningless once stopped().
    int score(RootScorer scorer, const Move &move) { return (this->*scorer)(move); }

    bool stopped() const { return budget.stopped(); }
    std::int64_t nodeCount() const { return budget.nodeCount(); }

private:
    template <Side Color, bool withAdvance>
    int scoreRootMove(const Move &move);
    template <Side Color, bool withAdvance, bool maximising>
    ZARVIK_POPCNT_CLONES int node(const BitPosition &position, int alpha, int beta, int ply);
    template <Side Color, bool withAdvance, bool maximising>
    ZARVIK_POPCNT_CLONES int frontier(const BitPosition &position, int alpha, int beta, int ply);
    template <Side Color, bool maximising>
    ZARVIK_POPCNT_CLONES int materialFrontier(const BitPosition &position, int alpha, int beta, int ply);
    template <Side Color, bool withAdvance>
    static int leafScore(const BitPosition &position, int ply);

    BitPosition root;
    SearchBudget budget;
    int evaluationPly = 0;
};
