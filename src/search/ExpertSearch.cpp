// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExpertSearch.h"

#include <algorithm>
#include <cstdlib>
#include <thread>

namespace {
constexpr double usedShare = 0.9;     // of the time limit
// Kept back also from small limits, for what the caller does before and after;
// under a second, in proportion (a fraction of a second is for quick test games).
constexpr double safetySeconds = 0.15;
// Of the allowed time, past which no iteration starts: a stopped one still counts
// with the root moves it finished.
constexpr double newIterationShare = 0.6;

// A win p plies away comes on the winner's ((p + 1) / 2)th move.
int movesToEnd(int score)
{
    const int plies = ExpertWorker::winScore - std::abs(score);
    if (std::abs(score) <= ExpertWorker::winBound)
        return 0;
    return score > 0 ? (plies + 1) / 2 : -(plies / 2);
}

Move toMove(int move)
{
    return BitPosition::toMove(ExpertWorker::moveFrom(move), ExpertWorker::moveTo(move));
}
} // namespace

void ExpertSearch::setPosition(const Board &board)
{
    root = BitPosition(board);
}

double ExpertSearch::allowedSeconds(double timeLimit)
{
    if (timeLimit < 0)
        return -1;
    return std::max(0.0, std::min(usedShare * timeLimit, timeLimit - safetySeconds * std::min(1.0, timeLimit)));
}

std::int64_t ExpertSearch::nodeCount() const
{
    std::int64_t nodes = 0;
    for (const auto &worker : workers)
        nodes += worker->nodeCount();
    return nodes;
}

SearchResult ExpertSearch::run(const SearchSettings &settings, const std::atomic<bool> &abort,
                               DepthListener *listener)
{
    SearchResult result;
    side = settings.color;
    if (root.anyWon() || root.stepsOf(side).empty())
        return result;
    stop.start(&abort, allowedSeconds(settings.timeLimit)); // allocating the table is part of the time
    table.resize(settings.tableMegabytes);
    table.nextSearch();
    prepareWorkers(std::max(1, settings.threads));
    deepestIteration = Iteration();
    searchBegan = std::chrono::steady_clock::now();
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < workers.size(); ++i)
        helpers.emplace_back(&ExpertSearch::runHelper, this, i, settings.maxDepth);
    ExpertWorker &main = *workers.front();
    Move legal[DepthReport::capacity];
    const bool onlyMove = root.generateMoves(side, legal) == 1;
    result.best = legal[0];
    Iteration deepest;
    Iteration stopped; // the root move of a stopped iteration, at that iteration's depth
    int reported = 0;
    for (int depth = 1; depth <= settings.maxDepth; depth = std::max(depth, deepest.depth) + 1) {
        const int score = main.searchRoot(root, side, depth, deepest.score);
        if (stop.raised()) {
            // The stopped iteration began with the table's move, the best known; a root
            // move it then put ahead had beaten it.
            if (main.rootMoveSearched())
                stopped = {depth, 0, main.rootMove(), 0};
            result.stopped = true;
            break;
        }
        deepest = publish({depth, score, main.rootMove(), main.selectiveDepth()});
        reportDeeper(deepest, reported, listener);
        stop.armClock();
        if (onlyMove || finished(deepest))
            break;
    }
    stop.raise();
    for (std::thread &helper : helpers)
        helper.join();
    deepest = publish(Iteration()); // a helper may have completed a deeper one meanwhile
    reportDeeper(deepest, reported, listener);
    result.stopped = result.stopped && deepest.depth < settings.maxDepth; // else a helper got there
    const int move = stopped.depth > deepest.depth ? stopped.move : deepest.move;
    if (move != 0)
        result.best = toMove(move);
    result.depthReached = result.lastCompleted = deepest.depth;
    return result;
}

// Odd helpers go a ply beyond the next iteration, even ones search it beside the
// calling thread; each picks the next depth from the deepest completed.
void ExpertSearch::runHelper(std::size_t index, int maxDepth)
{
    ExpertWorker &worker = *workers[index];
    const int ahead = int(index % 2);
    int score = 0;
    for (int depth = 1 + ahead; depth <= maxDepth && !stop.raised();) {
        score = worker.searchRoot(root, side, depth, score);
        if (stop.raised())
            break;
        const Iteration deepest = publish({depth, score, worker.rootMove(), worker.selectiveDepth()});
        if (deepest.depth >= maxDepth)
            stop.raise();
        depth = std::min(maxDepth, std::max(depth, deepest.depth + ahead) + 1);
    }
}

ExpertSearch::Iteration ExpertSearch::publish(const Iteration &iteration)
{
    std::lock_guard<std::mutex> guard(deepestLock);
    if (iteration.depth > deepestIteration.depth)
        deepestIteration = iteration;
    return deepestIteration;
}

void ExpertSearch::prepareWorkers(int threads)
{
    if (int(workers.size()) != threads) {
        workers.clear();
        for (int i = 0; i < threads; ++i)
            workers.push_back(std::make_unique<ExpertWorker>(table, stop, selective));
    }
    for (const auto &worker : workers)
        worker->startSearch();
}

void ExpertSearch::reportDeeper(const Iteration &deepest, int &reported, DepthListener *listener)
{
    if (deepest.depth <= reported)
        return;
    reported = deepest.depth;
    fillReport(deepest);
    if (listener)
        listener->depthCompleted(report);
}

// A sure win or loss no farther than the depth searched does not change deeper.
bool ExpertSearch::finished(const Iteration &deepest) const
{
    const int score = std::abs(deepest.score);
    if (score > ExpertWorker::winBound && ExpertWorker::winScore - score <= deepest.depth)
        return true;
    return stop.allowed() >= 0 && stop.elapsed() >= newIterationShare * stop.allowed();
}

// The line of play follows the table's moves from the root for as long as they are legal.
void ExpertSearch::fillReport(const Iteration &deepest)
{
    const int depth = deepest.depth;
    int move = deepest.move;
    report.depth = depth;
    report.selectiveDepth = deepest.selectiveDepth;
    report.bestScore = deepest.score;
    report.movesToEnd = movesToEnd(deepest.score);
    report.best = toMove(move);
    report.nodeCount = nodeCount();
    report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - searchBegan).count();
    report.lineLength = 0;
    BitPosition position = root;
    Side mover = side;
    ZobristKeys::Key key = ZobristKeys::of(root, side);
    while (move != 0 && report.lineLength < std::min(depth, DepthReport::lineCapacity)
           && ExpertWorker::isLegal(position, mover, move)) {
        const int from = ExpertWorker::moveFrom(move);
        const int to = ExpertWorker::moveTo(move);
        report.line[report.lineLength++] = toMove(move);
        key ^= ZobristKeys::moveChange(position, mover, from, to);
        position = position.playedBy(mover, from, to);
        mover = ~mover;
        TranspositionTable::Entry entry;
        move = table.probe(key, entry) ? entry.move : 0;
    }
}
