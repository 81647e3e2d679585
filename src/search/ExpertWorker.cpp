// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExpertWorker.h"

#include "DepthReport.h"
#include "ExpertEvaluation.h"

#include <algorithm>

namespace {
using Bits = BitPosition::Bits;
using Bound = TranspositionTable::Bound;

constexpr int infinity = ExpertWorker::winScore + 1;
// Nodes between looks at the clock and the abort flag: well under a millisecond.
constexpr std::int64_t pollInterval = 1024;
// Move ordering: the table's move, then captures, killer moves, and the rest by history.
constexpr int tableMoveOrder = 1 << 30;
constexpr int captureOrder = 1 << 28;
constexpr int killerOrder = 1 << 27;
constexpr int historyCeiling = 1 << 20; // the whole history is halved beyond
// Late moves: from this index in the ordered list and this depth they are searched a
// ply less deep. In self-play at 0.2 s a move, reducing from the fourth move and from
// depth 3 (two plies further on) did no better than not reducing; this did clearly.
constexpr int reducedFromIndex = 6;
constexpr int reducedFromDepth = 4;
constexpr int lateMoveReduction = 1;
// Moves that bring a stone this near its goal are never reduced.
constexpr int unreducedDistance = 2;

int winIn(int plies)
{
    return ExpertWorker::winScore - plies;
}

int stepTo(Side side, int way, int from)
{
    return from + BitPosition::stepOffset(side, way);
}
} // namespace

ExpertWorker::ExpertWorker(TranspositionTable &table, StopSignal &stop, bool reduceLateMoves)
    : table(table), stop(stop), reduceLateMoves(reduceLateMoves)
{
}

void ExpertWorker::startSearch()
{
    nodes = 0;
    publishedNodes.store(0, std::memory_order_relaxed);
    std::fill(&killers[0][0], &killers[0][0] + maxPly * killerSlots, 0);
    for (auto &bySide : history)
        for (auto &byFrom : bySide)
            for (int &value : byFrom)
                value /= 2;
}

int ExpertWorker::searchRoot(const BitPosition &root, Side side, int depth)
{
    bestRootMove = firstMove(side, root.stepsOf(side));
    rootMovesSearched = 0;
    const int score = search(root, ZobristKeys::of(root, side), side, -infinity, infinity, depth, 0);
    publishedNodes.store(nodes, std::memory_order_relaxed);
    return score;
}

bool ExpertWorker::enter()
{
    if (++nodes % pollInterval == 0) {
        publishedNodes.store(nodes, std::memory_order_relaxed);
        return stop.poll();
    }
    return stop.raised();
}

// A win at once ends the search of the node; a stone of the opponent about to win
// leaves only the moves that take it.
int ExpertWorker::search(const BitPosition &position, Key key, Side side, int alpha, int beta, int depth, int ply)
{
    if (depth <= 0)
        return quiescence(position, side, alpha, beta, ply);
    if (enter())
        return 0;
    const Steps moves = position.stepsOf(side);
    const Steps wins = position.winningOf(side, moves);
    if (!wins.empty()) {
        if (ply == 0) {
            bestRootMove = firstMove(side, wins);
            rootMovesSearched = 1;
        }
        return winIn(ply + 1);
    }
    if (moves.empty())
        return passTurn(position, key, side, alpha, beta, depth, ply);
    if (ply >= maxPly - 1)
        return ExpertEvaluation::evaluate(position, side);
    bool threatened = false;
    const Steps answers = threatAnswers(position, side, moves, threatened);
    if (answers.empty())
        return -winIn(ply + 2);
    TranspositionTable::Entry entry;
    int tableMove = 0;
    if (table.probe(key, entry)) {
        tableMove = entry.move;
        const int score = fromTable(entry.score, ply);
        if (beta - alpha == 1 && entry.depth >= depth
            && (entry.bound == Bound::exact || (entry.bound == Bound::lower && score >= beta)
                || (entry.bound == Bound::upper && score <= alpha)))
            return score;
    }
    return moveLoop(position, key, side, alpha, beta, depth, ply, answers, tableMove);
}

// A side without a move passes; when neither side can move the game is drawn.
int ExpertWorker::passTurn(const BitPosition &position, Key key, Side side, int alpha, int beta, int depth, int ply)
{
    if (position.stepsOf(~side).empty())
        return 0;
    return -search(position, key ^ ZobristKeys::sideChange(), ~side, -beta, -alpha, depth - 1, ply + 1);
}

// The first move with the full window, the others with a null window around alpha,
// searched again fully when they beat it.
int ExpertWorker::moveLoop(const BitPosition &position, Key key, Side side, int alpha, int beta, int depth, int ply,
                           const Steps &moves, int tableMove)
{
    ScoredMove list[DepthReport::capacity];
    const int count = collect(position, side, moves, tableMove, ply, list);
    const int alphaIn = alpha;
    int best = -infinity;
    int bestMove = 0;
    for (int i = 0; i < count; ++i) {
        bringBestForward(list, i, count);
        const int move = list[i].move;
        const BitPosition child = position.playedBy(side, moveFrom(move), moveTo(move));
        const Key childKey = key ^ ZobristKeys::moveChange(position, side, moveFrom(move), moveTo(move));
        int score = 0;
        if (i == 0) {
            score = -search(child, childKey, ~side, -beta, -alpha, depth - 1, ply + 1);
        } else {
            const int reduced = reducible(position, side, move, i, depth, ply) ? lateMoveReduction : 0;
            score = -search(child, childKey, ~side, -alpha - 1, -alpha, depth - 1 - reduced, ply + 1);
            if (score > alpha && reduced > 0)
                score = -search(child, childKey, ~side, -alpha - 1, -alpha, depth - 1, ply + 1);
            if (score > alpha && score < beta)
                score = -search(child, childKey, ~side, -beta, -alpha, depth - 1, ply + 1);
        }
        if (stop.raised())
            return 0;
        if (score > best) {
            best = score;
            bestMove = move;
            if (ply == 0)
                bestRootMove = move;
        }
        rootMovesSearched += ply == 0;
        alpha = std::max(alpha, best);
        if (alpha >= beta) {
            if (!captures(position, side, move))
                rememberCut(side, move, depth, ply);
            break;
        }
    }
    const Bound bound = best >= beta ? Bound::lower : best > alphaIn ? Bound::exact : Bound::upper;
    table.store(key, {bestMove, toTable(best, ply), depth, bound});
    return best;
}

// Never the answers to a threat, which are captures.
bool ExpertWorker::reducible(const BitPosition &position, Side side, int move, int index, int depth, int ply) const
{
    return reduceLateMoves && index >= reducedFromIndex && depth >= reducedFromDepth
           && !captures(position, side, move) && ExpertEvaluation::distance(side, moveTo(move)) > unreducedDistance
           && move != killers[ply][0] && move != killers[ply][1];
}

void ExpertWorker::rememberCut(Side side, int move, int depth, int ply)
{
    if (killers[ply][0] != move) {
        killers[ply][1] = killers[ply][0];
        killers[ply][0] = move;
    }
    int &value = history[indexOf(side)][moveFrom(move)][moveTo(move)];
    value += depth * depth;
    if (value > historyCeiling)
        for (auto &bySide : history)
            for (auto &byFrom : bySide)
                for (int &each : byFrom)
                    each /= 2;
}

// Captures of the enemy's most advanced stones first.
int ExpertWorker::collect(const BitPosition &position, Side side, const Steps &moves, int tableMove, int ply,
                          ScoredMove *out) const
{
    const Bits enemy = position.stones(~side);
    int count = 0;
    for (int way = 0; way < 3; ++way) {
        for (Bits froms = moves.way[way]; froms; froms &= froms - 1) {
            const int from = __builtin_ctzll(froms);
            const int to = stepTo(side, way, from);
            const int move = packMove(from, to);
            int order = history[indexOf(side)][from][to];
            if (move == tableMove)
                order = tableMoveOrder;
            else if ((enemy >> to) & 1)
                order = captureOrder - ExpertEvaluation::distance(~side, to);
            else if (move == killers[ply][0] || move == killers[ply][1])
                order = killerOrder - (move == killers[ply][1]);
            out[count++] = {move, order};
        }
    }
    return count;
}

void ExpertWorker::bringBestForward(ScoredMove *moves, int from, int count)
{
    std::swap(moves[from], *std::max_element(moves + from, moves + count,
                                             [](const ScoredMove &a, const ScoredMove &b) { return a.order < b.order; }));
}

// The moves that take an enemy stone about to win, or all moves when none is.
BitPosition::Steps ExpertWorker::threatAnswers(const BitPosition &position, Side side, const Steps &moves,
                                               bool &threatened)
{
    const Bits threats = position.winningOf(~side, position.stepsOf(~side)).from();
    threatened = threats != 0;
    if (!threatened)
        return moves;
    Steps answers;
    for (int way = 1; way < 3; ++way) { // only diagonal steps take
        const int offset = BitPosition::stepOffset(side, way);
        answers.way[way] = moves.way[way] & (offset > 0 ? threats >> offset : threats << -offset);
    }
    return answers;
}

// Stands pat on the evaluation, then tries captures and steps next to the goal row;
// under threat of a win, only the answers to it.
int ExpertWorker::quiescence(const BitPosition &position, Side side, int alpha, int beta, int ply)
{
    if (enter())
        return 0;
    const Steps moves = position.stepsOf(side);
    if (!position.winningOf(side, moves).empty())
        return winIn(ply + 1);
    if (moves.empty() || ply >= maxPly - 1)
        return ExpertEvaluation::evaluate(position, side);
    bool threatened = false;
    Steps candidates = threatAnswers(position, side, moves, threatened);
    int best = -infinity;
    if (threatened) {
        if (candidates.empty())
            return -winIn(ply + 2);
    } else {
        best = ExpertEvaluation::evaluate(position, side);
        if (best >= beta)
            return best;
        alpha = std::max(alpha, best);
        const Bits pushers = position.runners(side) & (side == Side::Red ? BitPosition::topRow << 2
                                                                                 : BitPosition::bottomRow >> 2);
        candidates = position.capturingOf(side, moves)
                     | Steps{{moves.way[0] & pushers, moves.way[1] & pushers, moves.way[2] & pushers}};
    }
    ScoredMove list[DepthReport::capacity];
    const int count = collect(position, side, candidates, 0, ply, list);
    for (int i = 0; i < count && alpha < beta; ++i) {
        bringBestForward(list, i, count);
        const int move = list[i].move;
        const int score =
            -quiescence(position.playedBy(side, moveFrom(move), moveTo(move)), ~side, -beta, -alpha, ply + 1);
        if (stop.raised())
            return 0;
        best = std::max(best, score);
        alpha = std::max(alpha, best);
    }
    return best;
}

bool ExpertWorker::captures(const BitPosition &position, Side side, int move)
{
    return (position.stones(~side) >> moveTo(move)) & 1;
}

int ExpertWorker::firstMove(Side side, const Steps &moves)
{
    if (moves.empty())
        return 0;
    const int from = __builtin_ctzll(moves.from());
    int way = 0;
    while (!moves.has(way, from))
        ++way;
    return packMove(from, stepTo(side, way, from));
}

bool ExpertWorker::isLegal(const BitPosition &position, Side side, int move)
{
    if (position.anyWon())
        return false;
    const Steps moves = position.stepsOf(side);
    for (int way = 0; way < 3; ++way)
        if (moves.has(way, moveFrom(move)) && stepTo(side, way, moveFrom(move)) == moveTo(move))
            return true;
    return false;
}

// Wins are stored as distances from the node, not from the root.
int ExpertWorker::toTable(int score, int ply)
{
    return score > winBound ? score + ply : score < -winBound ? score - ply : score;
}

int ExpertWorker::fromTable(int score, int ply)
{
    return score > winBound ? score - ply : score < -winBound ? score + ply : score;
}
