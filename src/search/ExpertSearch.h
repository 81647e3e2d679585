// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BitPosition.h"
#include "DepthReport.h"
#include "ExpertWorker.h"
#include "SearchEngine.h"
#include "StopSignal.h"
#include "TranspositionTable.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

// Level 4: iterative deepening over ExpertWorker on settings.threads threads that
// share one table: the helpers search the same tree, half of them a ply ahead of the
// deepest iteration completed so far, and leave what they find in the table. The
// deepest iteration completed by any thread gives the move, and the calling thread
// goes on past it.
// It keeps to the seconds it is given: a new iteration starts only while less than
// three fifths of them are spent, and every thread stops when nine tenths are; a
// stopped iteration still gives the best of the root moves it searched to the end.
// The first iteration always completes, so that even no time at all still yields a
// considered move. With a single legal move it stops there. The table is allocated
// once and kept from one search to the next.
class ExpertSearch : public SearchEngine
{
public:
    void setPosition(const Board &board) override;
    SearchResult run(const SearchSettings &settings, const std::atomic<bool> &abort,
                     DepthListener *listener = nullptr) override;
    std::int64_t nodeCount() const override;

    // Whether the search is selective (the default): prunes, reduces and scores
    // decided races. Without, a search to a fixed depth scores as plain alpha-beta over
    // the same quiescence search: a check of the table and of the move ordering.
    void setSelective(bool on) { selective = on; }

    // The seconds a search given timeLimit seconds allows itself; negative for none.
    static double allowedSeconds(double timeLimit);

private:
    // An iteration completed by one of the threads.
    struct Iteration
    {
        int depth = 0;
        int score = 0;
        int move = 0;
        int selectiveDepth = 0;
    };

    void prepareWorkers(int threads);
    void runHelper(std::size_t index, int maxDepth);
    // Keeps the iteration when it is the deepest so far; returns the deepest.
    Iteration publish(const Iteration &iteration);
    bool finished(const Iteration &deepest) const;
    // Tells the listener of the deepest iteration when it is deeper than the last told.
    void reportDeeper(const Iteration &deepest, int &reported, DepthListener *listener);
    void fillReport(const Iteration &deepest);

    BitPosition root;
    Side side = Side::Red;
    bool selective = true;
    TranspositionTable table;
    StopSignal stop;
    std::chrono::steady_clock::time_point searchBegan; // once the table is ready: for nodes per second
    std::vector<std::unique_ptr<ExpertWorker>> workers; // the first is the calling thread's
    DepthReport report;
    std::mutex deepestLock;
    Iteration deepestIteration; // guarded by deepestLock
};
