// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BitPosition.h"
#include "DepthListener.h"
#include "DepthReport.h"
#include "SearchEngine.h"
#include "SubtreeSearch.h"
#include "ThreadCrew.h"

#include <atomic>
#include <vector>

// The computer's iteratively deepened minimax with alpha-beta cut-offs, on a compact
// copy of the position. It visits the same nodes in the same order, finds the same
// score for every root move and, given the same seed, chooses the same move as the
// plain search over the board's own operations (ReferenceSearch); it is only faster.
//
// Every root move is searched with its own full window, so root moves do not depend
// on each other: they are shared out among settings.threads threads, and the random
// draws that break ties are made afterwards in the rules' order on the calling
// thread. Scores, node counts and the move chosen are those of one thread. No
// allocation in the tree search.
class FastSearch : public SearchEngine
{
public:
    void setPosition(const Board &board) override;
    const BitPosition &position() const { return root; }

    // Searches from the position set, for settings.color. The abort flag stops the
    // search like an exceeded time limit. The listener, if any, hears every completed
    // depth on the calling thread.
    SearchResult run(const SearchSettings &settings, const std::atomic<bool> &abort,
                     DepthListener *listener = nullptr) override;

    // Nodes entered since the last search began, by every thread.
    std::int64_t nodeCount() const override;

private:
    using RootScorer = SubtreeSearch::RootScorer;

    bool searchDepth(int depth, RootScorer scorer);
    bool scoreRootMoves(RootScorer scorer, int threads);
    void scoreShare(SubtreeSearch &worker, RootScorer scorer, std::atomic<int> &next, std::atomic<bool> &halted);

    BitPosition root;
    std::vector<SubtreeSearch> workers; // one per thread; the first is the calling thread's
    DepthReport report;
    // Root moves by the nodes they took at the last depth, most first: the longest
    // are handed out first, so that threads finish a depth at about the same time.
    int order[DepthReport::capacity] = {};
    std::int64_t moveNodes[DepthReport::capacity] = {};
    ThreadCrew crew; // last: its threads stop before the rest goes
};
