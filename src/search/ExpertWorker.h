// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BitPosition.h"
#include "ExpertEvaluation.h"
#include "MoveHistory.h"
#include "StopSignal.h"
#include "TranspositionTable.h"
#include "ZobristKeys.h"

#include <atomic>
#include <cstdint>

// One thread of level 4's search: principal variation search over the shared table
// with aspiration windows at the root; moves ordered by the table, by what captures
// win and risk, and by what the search learnt (MoveHistory); a decided race scored
// at once as the plies to its end; selectivity away from the principal variation
// (futility, razoring, late-move pruning and reductions); and a quiescence
// search of captures and of stones stepping next to their goal row. Scores are from
// the side to move's view; a win scores winScore less the plies to it.
class alignas(64) ExpertWorker
{
public:
    static constexpr int winScore = 30000;
    static constexpr int winBound = winScore - 1000; // scores beyond are sure wins or losses
    static constexpr int maxPly = MoveHistory::maxPly;

    // selective: prune, reduce and score decided races; without, a search to depth d
    // scores as plain alpha-beta to depth d over quiescence().
    ExpertWorker(TranspositionTable &table, StopSignal &stop, bool selective);

    // Before each new search: clears the counters and the killer moves, and halves
    // the history.
    void startSearch();
    // One iteration from the root to depth plies, in a window around guess (the last
    // iteration's score) that widens until the score falls inside; its score.
    // Meaningless once the stop signal is raised.
    int searchRoot(const BitPosition &root, Side side, int depth, int guess);
    // The best root move of the last iteration, from | to << 6; of a stopped iteration,
    // the best of the root moves it searched to the end.
    int rootMove() const { return bestRootMove; }
    // Whether the last iteration searched at least one root move to the end.
    bool rootMoveSearched() const { return rootMovesSearched > 0; }
    // The deepest ply the last iteration reached, quiescence included.
    int selectiveDepth() const { return deepestPly; }

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
    using Bits = BitPosition::Bits;
    using Key = ZobristKeys::Key;
    using Steps = BitPosition::Steps;
    // What a node knows before it tries its moves.
    struct Node
    {
        const BitPosition &position;
        Key key;
        Side side;
        int depth;
        int ply;
        bool pv;
        int eval;
    };

    int search(const BitPosition &position, Key key, Side side, int alpha, int beta, int depth, int ply);
    int passTurn(const BitPosition &position, Key key, Side side, int alpha, int beta, int depth, int ply);
    // A score that settles the node before its moves are tried, or noCut.
    int pruneNode(const Node &node, int alpha, int beta);
    int moveLoop(const Node &node, int alpha, int beta, const Steps &moves, int tableMove);
    int searchMove(const Node &node, int move, int index, bool quiet, int alpha, int beta);
    bool skipsQuiet(const Node &node, int quietIndex, int alpha) const;
    int reduction(const Node &node, int move, int index) const;
    static bool isQuiet(const BitPosition &position, Side side, int move);
    int collect(const BitPosition &position, Side side, const Steps &moves, int tableMove, int ply,
                ScoredMove *out) const;
    static int captureOrder(Side side, int to, Bits risky);
    static void bringBestForward(ScoredMove *moves, int from, int count);
    static void sortRest(ScoredMove *moves, int from, int count);
    static Steps threatAnswers(const BitPosition &position, Side side, const Steps &moves, bool &threatened);
    static bool captures(const BitPosition &position, Side side, int move);
    static int firstMove(Side side, const Steps &moves);
    static int toTable(int score, int ply);
    static int fromTable(int score, int ply);
    static int raceScore(int racePlies, int ply);
    bool enter(int ply);
    // The opponent's move that led to the node at ply, 0 at the root or after a pass.
    int previousMove(int ply) const { return ply > 0 ? movesMade[ply - 1] : 0; }

    TranspositionTable &table;
    StopSignal &stop;
    const bool selective;
    std::int64_t nodes = 0;
    std::atomic<std::int64_t> publishedNodes{0};
    int bestRootMove = 0;
    int rootMovesSearched = 0;
    int deepestPly = 0;
    int movesMade[maxPly + 1] = {}; // the move made at each ply of the current line, 0 for a pass
    MoveHistory learnt;
};
