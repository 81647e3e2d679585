#pragma once

#include "BitPosition.h"
#include "DepthListener.h"
#include "DepthReport.h"
#include "SearchBudget.h"
#include "SearchResult.h"
#include "SearchSettings.h"

#include <atomic>

// Counting bits is much of the evaluation at level 3: the search is compiled twice,
// with and without the popcnt instruction, and the loader picks the one that the
// processor runs. Not under ThreadSanitizer, whose instrumented chooser would run
// before its runtime is ready.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_THREAD__)
#define ZARVIK_POPCNT_CLONES __attribute__((target_clones("popcnt", "default")))
#else
#define ZARVIK_POPCNT_CLONES
#endif

// The computer's iteratively deepened minimax with alpha-beta cut-offs, on a compact
// copy of the position. It visits the same nodes in the same order, finds the same
// score for every root move and, given the same seed, chooses the same move as the
// plain search over the board's own operations (ReferenceSearch); it is only faster.
// No allocation while it runs.
class FastSearch
{
public:
    void setPosition(const Board &board);
    const BitPosition &position() const { return root; }

    // Searches from the position set, for settings.color. The abort flag stops the
    // search like an exceeded time limit. The listener, if any, hears every completed
    // depth on the calling thread.
    SearchResult run(const SearchSettings &settings, const std::atomic<bool> &abort,
                     DepthListener *listener = nullptr);

    // Nodes entered since the last search began.
    std::int64_t nodeCount() const { return budget.nodeCount(); }

private:
    using RootScorer = int (FastSearch::*)(const Move &move);

    static RootScorer rootScorer(int color, int level);
    bool searchDepth(int depth, RootScorer scoreRootMove);

    template <int Color, bool withAdvance>
    int scoreRootMove(const Move &move);
    template <int Color, bool withAdvance, bool maximising>
    ZARVIK_POPCNT_CLONES int node(const BitPosition &position, int alpha, int beta, int ply);
    template <int Color, bool withAdvance, bool maximising>
    ZARVIK_POPCNT_CLONES int frontier(const BitPosition &position, int alpha, int beta, int ply);
    template <int Color, bool maximising>
    ZARVIK_POPCNT_CLONES int materialFrontier(const BitPosition &position, int alpha, int beta, int ply);
    template <int Color, bool withAdvance>
    static int leafScore(const BitPosition &position, int ply);

    BitPosition root;
    SearchBudget budget;
    int evaluationPly = 0;
    DepthReport report;
};
