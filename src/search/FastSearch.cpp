// SPDX-License-Identifier: GPL-3.0-or-later
#include "FastSearch.h"

#include "IterativeDeepening.h"
#include "RandomDraws.h"

#include <algorithm>
#include <numeric>

namespace {
constexpr int worstScore = 1000000; // below every score
// Shallower depths take less time than handing their moves out.
constexpr int minimumSplitDepth = 3;
} // namespace

void FastSearch::setPosition(const Board &board)
{
    root = BitPosition(board);
}

SearchResult FastSearch::run(const SearchSettings &settings, const std::atomic<bool> &abort,
                             DepthListener *listener)
{
    workers.resize(std::size_t(std::max(1, settings.threads)));
    for (SubtreeSearch &worker : workers)
        worker.start(root, settings.timeLimit, &abort);
    RandomDraws::seed(settings.seed);
    report.moveCount = root.generateMoves(settings.color, report.moves);
    std::iota(order, order + report.moveCount, 0);
    std::fill(moveNodes, moveNodes + report.moveCount, 0);
    const RootScorer scorer = SubtreeSearch::rootScorer(settings.color, settings.level);
    const Move firstMove = report.moveCount > 0 ? report.moves[0] : Move();
    return IterativeDeepening::run(settings.maxDepth, firstMove, report, listener,
                                   [&](int depth) { return searchDepth(depth, scorer); });
}

std::int64_t FastSearch::nodeCount() const
{
    std::int64_t nodes = 0;
    for (const SubtreeSearch &worker : workers)
        nodes += worker.nodeCount();
    return nodes;
}

// Scores every root move with the full window; then, in the rules' order, a later
// move with an equal score replaces the best one when its random draw modulo 1000 is
// below 50. False when the search was stopped before the depth was complete.
bool FastSearch::searchDepth(int depth, RootScorer scorer)
{
    report.depth = depth;
    for (SubtreeSearch &worker : workers)
        worker.setDepth(depth);
    if (!scoreRootMoves(scorer, depth >= minimumSplitDepth ? int(workers.size()) : 1))
        return false;
    report.best = Move();
    report.bestScore = -worstScore;
    for (int i = 0; i < report.moveCount; ++i) {
        const int draw = RandomDraws::next();
        const int score = report.scores[i];
        if (score > report.bestScore || (score == report.bestScore && draw % 1000 < 50)) {
            report.bestScore = score;
            report.best = report.moves[i];
        }
    }
    report.nodeCount = nodeCount();
    return true;
}

// The calling thread takes a share itself; false when any thread was stopped.
bool FastSearch::scoreRootMoves(RootScorer scorer, int threads)
{
    if (threads > 1)
        std::stable_sort(order, order + report.moveCount, [this](int a, int b) { return moveNodes[a] > moveNodes[b]; });
    std::atomic<int> next{0};
    std::atomic<bool> halted{false};
    crew.run(threads, [&](int t) { scoreShare(workers[std::size_t(t)], scorer, next, halted); });
    return !halted;
}

// Takes the next root move not yet taken until none is left, or until any thread
// has been stopped: the depth is lost then anyway.
void FastSearch::scoreShare(SubtreeSearch &worker, RootScorer scorer, std::atomic<int> &next,
                            std::atomic<bool> &halted)
{
    for (int taken = next++; taken < report.moveCount && !halted; taken = next++) {
        const int i = order[taken];
        const std::int64_t before = worker.nodeCount();
        report.scores[i] = worker.score(scorer, report.moves[i]);
        if (worker.stopped()) {
            halted = true;
            return;
        }
        moveNodes[i] = worker.nodeCount() - before;
    }
}
