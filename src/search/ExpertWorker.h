// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BitPosition.h"
#include "StopSignal.h"
#include "TranspositionTable.h"
#include "ZobristKeys.h"

#include <atomic>
#include <cstdint>

// One thread of level 4's search: principal variation search with alpha-beta over
// the shared table, ordered moves (table move, captures, killer moves, history),
// late moves searched less deep, and a quiescence search of captures and of
// stones stepping next to their goal row. Scores are from the side to move's view;
// a win scores winScore less the plies to it.
class alignas(64) ExpertWorker
{
public:
    static constexpr int winScore = 30000;
    static constexpr int winBound = winScore - 1000; // scores beyond are sure wins or losses
    static constexpr int maxPly = 96;

    // reduceLateMoves: late quiet moves are searched a ply less deep; without, a search
    // to depth d scores as plain alpha-beta to depth d over quiescence().
    ExpertWorker(TranspositionTable &table, StopSignal &stop, bool reduceLateMoves);

    // Before each new search: clears the counters and the killer moves, and halves
    // the history.
    void startSearch();
    // One iteration from the root to depth plies with the full window; its score.
    // Meaningless once the stop signal is raised.
    int searchRoot(const BitPosition &root, Side side, int depth);
    // The best root move of the last iteration, from | to << 6; of a stopped iteration,
    // the best of the root moves it searched to the end.
    int rootMove() const { return bestRootMove; }
    // Whether the last iteration searched at least one root move to the end.
    bool rootMoveSearched() const { return rootMovesSearched > 0; }

    int quiescence(const BitPosition &position, Side side, int alpha, int beta, int ply);

    // Nodes so far, readable from any thread; exact once the search is over.
    std::int64_t nodeCount() const { return publishedNodes.load(std::memory_order_relaxed); }

    static int packMove(int from, int to) { return from | to << 6; }
    static int moveFrom(int move) { return move & 63; }
    static int moveTo(int move) { return move >> 6; }
    // Whether side may make the move in position.
    static bool isLegal(const BitPosition &position, Side side, int move);

private:
    struct ScoredMove
    {
        int move;
        int order;
    };
    using Key = ZobristKeys::Key;
    using Steps = BitPosition::Steps;

    int search(const BitPosition &position, Key key, Side side, int alpha, int beta, int depth, int ply);
    int passTurn(const BitPosition &position, Key key, Side side, int alpha, int beta, int depth, int ply);
    int moveLoop(const BitPosition &position, Key key, Side side, int alpha, int beta, int depth, int ply,
                 const Steps &moves, int tableMove);
    bool reducible(const BitPosition &position, Side side, int move, int index, int depth, int ply) const;
    void rememberCut(Side side, int move, int depth, int ply);
    int collect(const BitPosition &position, Side side, const Steps &moves, int tableMove, int ply,
                ScoredMove *out) const;
    static void bringBestForward(ScoredMove *moves, int from, int count);
    static Steps threatAnswers(const BitPosition &position, Side side, const Steps &moves, bool &threatened);
    static bool captures(const BitPosition &position, Side side, int move);
    static int firstMove(Side side, const Steps &moves);
    static int toTable(int score, int ply);
    static int fromTable(int score, int ply);
    bool enter();

    static constexpr int killerSlots = 2;

    TranspositionTable &table;
    StopSignal &stop;
    const bool reduceLateMoves;
    std::int64_t nodes = 0;
    std::atomic<std::int64_t> publishedNodes{0};
    int bestRootMove = 0;
    int rootMovesSearched = 0;
    int killers[maxPly][killerSlots] = {};
    int history[std::size(bothSides)][64][64] = {};
};
