// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Board.h"
#include "DepthListener.h"
#include "DepthReport.h"
#include "SearchBudget.h"
#include "SearchResult.h"
#include "SearchSettings.h"

#include <atomic>

// The computer's search written plainly over the board's own operations: a fresh
// move list at every node, every move applied to and undone on the board. It is the
// yardstick that FastSearch is checked and timed against, not used in play.
class ReferenceSearch
{
public:
    // Searches in place on board, which it leaves as it found it.
    explicit ReferenceSearch(Board &board);

    SearchResult run(const SearchSettings &settings, const std::atomic<bool> &abort,
                     DepthListener *listener = nullptr);

    std::int64_t nodeCount() const { return budget.nodeCount(); }

private:
    bool searchDepth(int depth);
    int minimax(int side, int alpha, int beta, int ply, int evaluationPly);

    Board &board;
    SearchSettings settings;
    Side me = Side::Red; // the side searched for
    SearchBudget budget;
    DepthReport report;
};
