// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DepthListener.h"
#include "SearchEngine.h"

#include <QThread>

#include <atomic>
#include <memory>
#include <mutex>

// The thread on which the computer searches: it takes a copy of the position and
// the settings before it starts, looks at an atomic flag to stop, and is stopped and
// waited for when it goes away. Its result is read on the GUI thread once finished()
// has come.
class SearchWorker : public QThread, private DepthListener
{
    Q_OBJECT

public:
    SearchWorker(int level, QObject *parent = nullptr);
    // Stops a running search and waits for it.
    ~SearchWorker() override;

    // Also tells this listener (not owned; null: none) of every completed depth, on
    // the search thread. Set while no search runs.
    void setListener(DepthListener *listener);
    // Copies the position and starts searching after pauseMs.
    void search(const Board &position, const SearchSettings &settings, int pauseMs);
    // Stops the search at once and keeps its best move so far; finished() follows.
    void finishNow();
    // Stops the search, waits for it and drops its result; its finished() may still
    // wait in the receivers' event queues.
    void cancel();

    // After finished(): the best move of the last completed depth (the first legal
    // move when no depth was complete), and that depth.
    Move bestMove();
    int depthReached();
    // The last completed depth and its score, (depth << 32) | score; the GUI thread
    // reads it on its own clock rather than be sent events from the search thread.
    qint64 progress() const { return reached.load(std::memory_order_relaxed); }

protected:
    void run() override;

private:
    void depthCompleted(const DepthReport &report) override;

    const std::unique_ptr<SearchEngine> engine;
    SearchSettings settings;
    int pauseMs = 0;
    DepthListener *listener = nullptr;
    std::atomic<bool> abortRequested{false};
    std::atomic<bool> discardRequested{false};
    std::atomic<qint64> reached{0};
    // Hands the result to the GUI thread: the search thread holds it while it runs.
    std::mutex handoff;
    Move result;
    int depth = 0;
};
