// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExpertWorker.h"

#include "DepthReport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {
using Bits = BitPosition::Bits;
using Bound = TranspositionTable::Bound;

constexpr int infinity = ExpertWorker::winScore + 1;
// Returned by the node's pruning when it does not settle the node: no score is that.
constexpr int noCut = infinity + 1;
// Nodes between looks at the clock and the abort flag: well under a millisecond.
constexpr std::int64_t pollInterval = 1024;
// Move ordering: the table's move, then captures by what they take and risk, then
// the quiet moves as MoveHistory orders them.
constexpr int tableMoveOrder = 1 << 30;
constexpr int captureBase = 1 << 28;
constexpr int takenAdvanceWeight = 16; // per row the taken stone had advanced
constexpr int recaptureRisk = 8;
// Moves that bring a stone this near its goal are part of the race: never pruned
// nor reduced.
constexpr int raceDistance = 2;

// The root's first window, in evaluation units, from this depth on; it doubles on
// every failure.
constexpr int aspirationFromDepth = 5;
constexpr int aspirationWindow = 30;
// Static cut-off ("reverse futility"): at most this deep, a node whose evaluation
// beats beta by this margin a ply is cut at once.
constexpr int staticCutDepth = 6;
constexpr int staticCutMargin = 90;
// Razoring: this shallow and this far below alpha, the quiescence search decides.
constexpr int razorDepth = 2;
constexpr int razorMargin = 250;
// Futility: this shallow, quiet moves are not tried when the evaluation plus this
// much does not reach alpha.
constexpr int futilityDepth = 3;
constexpr int futilityBase = 60;
constexpr int futilityMargin = 110;
// Late-move pruning: this shallow, only the first lateMoveBase + depth² / 2 quiet
// moves.
constexpr int lateMoveDepth = 5;
constexpr int lateMoveBase = 3;
constexpr int lateMoveDivisor = 2;
// Late-move reductions: from this depth and this index in the ordered list, by the
// product of the logarithms of both; a ply less on the principal variation and a
// ply more off it, less for good history and more for bad.
constexpr int reducedFromDepth = 3;
constexpr int reducedFromIndex = 2;
constexpr double reductionDivisor = 1.0;
constexpr int historyPerPly = MoveHistory::historyLimit / 3;
constexpr int tableSize = 64;

const std::array<std::array<int, tableSize>, tableSize> &reductionTable()
{
    static const auto table = [] {
        std::array<std::array<int, tableSize>, tableSize> plies{};
        for (int depth = 1; depth < tableSize; ++depth)
            for (int index = 1; index < tableSize; ++index)
                plies[std::size_t(depth)][std::size_t(index)] =
                    int(0.5 + std::log(depth) * std::log(index) / reductionDivisor);
        return plies;
    }();
    return table;
}

int winIn(int plies)
{
    return ExpertWorker::winScore - plies;
}

int stepTo(Side side, int way, int from)
{
    return from + BitPosition::stepOffset(side, way);
}
} // namespace

ExpertWorker::ExpertWorker(TranspositionTable &table, StopSignal &stop, bool selective)
    : table(table), stop(stop), selective(selective)
{
}

void ExpertWorker::startSearch()
{
    nodes = 0;
    publishedNodes.store(0, std::memory_order_relaxed);
    learnt.newSearch();
}

int ExpertWorker::searchRoot(const BitPosition &root, Side side, int depth, int guess)
{
    bestRootMove = firstMove(side, root.stepsOf(side));
    rootMovesSearched = 0;
    deepestPly = 0;
    const Key key = ZobristKeys::of(root, side);
    const bool aspire = selective && depth >= aspirationFromDepth && std::abs(guess) < winBound;
    int window = aspirationWindow;
    int alpha = aspire ? guess - window : -infinity;
    int beta = aspire ? guess + window : infinity;
    for (;;) {
        const int score = search(root, key, side, alpha, beta, depth, 0);
        publishedNodes.store(nodes, std::memory_order_relaxed);
        if (stop.raised() || (score > alpha && score < beta))
            return score;
        window *= 2;
        if (score <= alpha)
            alpha = std::max(-infinity, score - window);
        else
            beta = std::min(infinity, score + window);
    }
}

bool ExpertWorker::enter(int ply)
{
    deepestPly = std::max(deepestPly, ply);
    if (++nodes % pollInterval == 0) {
        publishedNodes.store(nodes, std::memory_order_relaxed);
        return stop.poll();
    }
    return stop.raised();
}

// A win at once ends the search of the node; a stone of the opponent about to win
// leaves only the moves that take it, and a single one is searched a ply deeper.
int ExpertWorker::search(const BitPosition &position, Key key, Side side, int alpha, int beta, int depth, int ply)
{
    if (depth <= 0)
        return quiescence(position, side, alpha, beta, ply);
    if (enter(ply))
        return 0;
    table.prefetch(key);
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
    const ExpertEvaluation::Judgement judgement = ExpertEvaluation::judge(position, side);
    if (ply >= maxPly - 1)
        return judgement.score;
    bool threatened = false;
    const Steps answers = threatAnswers(position, side, moves, threatened);
    if (answers.empty())
        return -winIn(ply + 2);
    if (selective && ply > 0 && judgement.racePlies != 0)
        return raceScore(judgement.racePlies, ply);
    const bool pv = beta - alpha > 1;
    TranspositionTable::Entry entry;
    int tableMove = 0;
    if (table.probe(key, entry)) {
        tableMove = entry.move;
        const int score = fromTable(entry.score, ply);
        if (!pv && entry.depth >= depth
            && (entry.bound == Bound::exact || (entry.bound == Bound::lower && score >= beta)
                || (entry.bound == Bound::upper && score <= alpha)))
            return score;
    }
    const bool forced = selective && threatened && answers.count() == 1;
    const Node node{position, key, side, depth + forced, ply, pv, judgement.score};
    if (selective && !threatened) {
        const int cut = pruneNode(node, alpha, beta);
        if (cut != noCut)
            return cut;
    }
    return moveLoop(node, alpha, beta, answers, tableMove);
}

// A side without a move passes; when neither side can move the game is drawn.
int ExpertWorker::passTurn(const BitPosition &position, Key key, Side side, int alpha, int beta, int depth, int ply)
{
    if (position.stepsOf(~side).empty())
        return 0;
    movesMade[ply] = 0;
    return -search(position, key ^ ZobristKeys::sideChange(), ~side, -beta, -alpha, depth - 1, ply + 1);
}

// Away from the principal variation, a node far enough above beta or below alpha
// is settled by its evaluation or by the quiescence search. (Letting the opponent
// move twice, the null move, lost games against the search without it.)
int ExpertWorker::pruneNode(const Node &node, int alpha, int beta)
{
    if (node.pv || std::abs(beta) >= winBound)
        return noCut;
    if (node.depth <= staticCutDepth && node.eval - staticCutMargin * node.depth >= beta)
        return node.eval;
    if (node.depth <= razorDepth && node.eval + razorMargin * node.depth < alpha) {
        const int score = quiescence(node.position, node.side, alpha, alpha + 1, node.ply);
        if (score <= alpha)
            return score;
    }
    return noCut;
}

// The first move with the full window, the others with a null window around alpha,
// searched again fully when they beat it.
int ExpertWorker::moveLoop(const Node &node, int alpha, int beta, const Steps &moves, int tableMove)
{
    ScoredMove list[DepthReport::capacity];
    int failedQuiets[DepthReport::capacity];
    int quietCount = 0;
    const int count = collect(node.position, node.side, moves, tableMove, node.ply, list);
    const int alphaIn = alpha;
    int best = -infinity;
    int bestMove = 0;
    bringBestForward(list, 0, count);
    for (int i = 0; i < count; ++i) {
        if (i == 1)
            sortRest(list, 1, count);
        const int move = list[i].move;
        const bool quiet = isQuiet(node.position, node.side, move);
        if (quiet && i > 0 && best > -winBound && skipsQuiet(node, quietCount, alpha))
            continue;
        const int score = searchMove(node, move, i, quiet, alpha, beta);
        if (stop.raised())
            return 0;
        if (node.ply == 0 && (i == 0 || score > alpha))
            bestRootMove = move;
        rootMovesSearched += node.ply == 0;
        if (score > best) {
            best = score;
            bestMove = move;
        }
        alpha = std::max(alpha, best);
        if (alpha >= beta) {
            if (quiet)
                learnt.rewardCut(node.side, move, node.ply, previousMove(node.ply), node.depth, failedQuiets,
                                 quietCount);
            break;
        }
        if (quiet)
            failedQuiets[quietCount++] = move;
    }
    const Bound bound = best >= beta ? Bound::lower : best > alphaIn ? Bound::exact : Bound::upper;
    table.store(node.key, {bestMove, toTable(best, node.ply), node.depth, bound});
    return best;
}

int ExpertWorker::searchMove(const Node &node, int move, int index, bool quiet, int alpha, int beta)
{
    const int from = moveFrom(move);
    const int to = moveTo(move);
    const BitPosition child = node.position.playedBy(node.side, from, to);
    const Key childKey = node.key ^ ZobristKeys::moveChange(node.position, node.side, from, to);
    const Side other = ~node.side;
    const int depth = node.depth - 1;
    const int ply = node.ply + 1;
    movesMade[node.ply] = move;
    if (index == 0)
        return -search(child, childKey, other, -beta, -alpha, depth, ply);
    const int reduced = quiet ? reduction(node, move, index) : 0;
    int score = -search(child, childKey, other, -alpha - 1, -alpha, depth - reduced, ply);
    if (score > alpha && reduced > 0)
        score = -search(child, childKey, other, -alpha - 1, -alpha, depth, ply);
    if (score > alpha && score < beta)
        score = -search(child, childKey, other, -beta, -alpha, depth, ply);
    return score;
}

// Late quiet moves at shallow depths, and all of them when even a good quiet move
// would not bring the evaluation up to alpha.
bool ExpertWorker::skipsQuiet(const Node &node, int quietIndex, int alpha) const
{
    if (!selective || node.pv)
        return false;
    if (node.depth <= lateMoveDepth && quietIndex >= lateMoveBase + node.depth * node.depth / lateMoveDivisor)
        return true;
    return node.depth <= futilityDepth && node.eval + futilityBase + futilityMargin * node.depth <= alpha;
}

int ExpertWorker::reduction(const Node &node, int move, int index) const
{
    if (!selective || node.depth < reducedFromDepth || index < reducedFromIndex)
        return 0;
    const auto &table = reductionTable();
    int plies = table[std::size_t(std::min(node.depth, tableSize - 1))][std::size_t(std::min(index, tableSize - 1))];
    plies += (node.pv ? -1 : 1) - learnt.historyOf(node.side, move) / historyPerPly;
    return std::clamp(plies, 0, node.depth - 2);
}

bool ExpertWorker::isQuiet(const BitPosition &position, Side side, int move)
{
    return !captures(position, side, move) && ExpertEvaluation::distance(side, moveTo(move)) > raceDistance;
}

int ExpertWorker::collect(const BitPosition &position, Side side, const Steps &moves, int tableMove, int ply,
                          ScoredMove *out) const
{
    const Bits enemy = position.stones(~side);
    const Bits risky = ExpertEvaluation::attacks(position, ~side);
    const int previous = previousMove(ply);
    int count = 0;
    for (int way = 0; way < 3; ++way) {
        for (Bits froms = moves.way[way]; froms; froms &= froms - 1) {
            const int from = __builtin_ctzll(froms);
            const int to = stepTo(side, way, from);
            const int move = packMove(from, to);
            int order = 0;
            if (move == tableMove)
                order = tableMoveOrder;
            else if ((enemy >> to) & 1)
                order = captureOrder(side, to, risky);
            else
                order = learnt.quietOrder(side, move, ply, previous);
            out[count++] = {move, order};
        }
    }
    return count;
}

// The further the taken stone had come the better, the less so when the taker can
// be taken in turn.
int ExpertWorker::captureOrder(Side side, int to, Bits risky)
{
    const int advanced = 7 - ExpertEvaluation::distance(~side, to);
    return captureBase + takenAdvanceWeight * advanced - recaptureRisk * int((risky >> to) & 1);
}

// The first move is most often the table's, which cuts the node: it alone is
// picked; the others are sorted at once when it did not.
void ExpertWorker::sortRest(ScoredMove *moves, int from, int count)
{
    for (int i = from + 1; i < count; ++i) {
        const ScoredMove moving = moves[i];
        int j = i;
        for (; j > from && moves[j - 1].order < moving.order; --j)
            moves[j] = moves[j - 1];
        moves[j] = moving;
    }
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
// under threat of a win, only the answers to it. A decided race ends it.
int ExpertWorker::quiescence(const BitPosition &position, Side side, int alpha, int beta, int ply)
{
    if (enter(ply))
        return 0;
    const Steps moves = position.stepsOf(side);
    if (!position.winningOf(side, moves).empty())
        return winIn(ply + 1);
    const ExpertEvaluation::Judgement judgement = ExpertEvaluation::judge(position, side);
    if (moves.empty() || ply >= maxPly - 1)
        return judgement.score;
    bool threatened = false;
    Steps candidates = threatAnswers(position, side, moves, threatened);
    if (threatened && candidates.empty())
        return -winIn(ply + 2);
    if (judgement.racePlies != 0)
        return raceScore(judgement.racePlies, ply);
    int best = -infinity;
    if (!threatened) {
        best = judgement.score;
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

int ExpertWorker::raceScore(int racePlies, int ply)
{
    return racePlies > 0 ? winIn(ply + racePlies) : -winIn(ply - racePlies);
}
