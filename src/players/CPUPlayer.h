// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DepthListener.h"
#include "Player.h"
#include "SearchEngine.h"

#include <QObject>
#include <QTimer>
#include <atomic>
#include <memory>
#include <mutex>

// The computer: searches a private copy of the position on its own thread and
// emits MoveReady() on the GUI thread when the search has finished.
class CPUPlayer : public Player, private DepthListener
{
    Q_OBJECT

public:
    // The longest the computer thinks when its side has no timer: the exact search
    // would otherwise deepen towards 20 plies for hours.
    static constexpr int untimedCeilingSeconds = 30;
    // The window's pause before each search, so that a reply does not land in the
    // same instant as the move it answers.
    static constexpr int defaultPauseMs = 100;

    // seed: the first search's seed, the next searches counting up from it;
    // negative, a new one from the clock at every search.
    // threads: how many search at once; 0 every core.
    CPUPlayer(Board *board, int color, int timeLimit, int level, int pauseMs = defaultPauseMs, qint64 seed = -1,
              int threads = 0);
    // Stops a running search and waits for it; MoveReady() does not follow.
    ~CPUPlayer() override;

    // The seconds a search may take for a side's time limit: a negative limit is 0,
    // no timer (any limit beyond Player::maxSeconds) the ceiling.
    static int searchSeconds(int timeLimit);

    void RequestMove() override;
    Move *TakeMove() override;
    void StartGame() override;

    // Stops a running search, waits for its thread and discards its result:
    // MoveReady() is not emitted for it.
    void cancelSearch();
    // Asks a running search to stop at once and hand over the best move of its last
    // completed depth (the first legal move if none is complete), as a time-out does;
    // MoveReady() follows. Does not wait.
    void playNow();

signals:
    void MoveReady();
    // A depth of the search is complete, with the best score found, from the
    // computer's side; looked at a few times a second, on the GUI thread.
    void DepthReached(int depth, int score);

private slots:
    void onThreadFinished();

protected:
    void run() override;

private:
    void startSearch();
    void depthCompleted(const DepthReport &report) override;
    void reportProgress();

    // The best move of the last completed depth of the last search, or the first
    // legal move when the time ran out before depth 2 was complete. A side without
    // any move gets a default-initialised record (A8 - A8), which is never legal, so
    // the controller refuses it.
    Move move;
    const int maxDepth;  // plies: 2 at level 1, 20 at levels 2 and 3, 64 at level 4
    const int timeLimit; // seconds per search, after searchSeconds
    const int level;     // 1 to 3, passed to the evaluation; 4 the expert search
    const int pauseMs;
    const int threads;
    qint64 nextSeed; // the seed of the next search; negative: the clock's

    // The search of the level, with its copy of the position; the search thread's
    // alone while it runs.
    const std::unique_ptr<SearchEngine> search;
    std::atomic<bool> abortRequested{false}; // stops the search, whoever asked
    std::atomic<bool> discardRequested{false}; // and then keeps nothing of it
    // Hands the search's result to the GUI thread: the search thread writes it under
    // the lock just before it ends, the GUI thread reads it under the lock after.
    std::mutex handoff;
    // The last completed depth and its score, (depth << 32) | score, written by the
    // search thread: the GUI thread reads it on its own clock rather than be sent
    // events from the search thread.
    std::atomic<qint64> progress{0};
    qint64 progressShown = 0;
    QTimer *progressTimer;
    Move result;
    int depthReached = 0;
    unsigned searchSeed = 0; // set before the search thread starts
};
