// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Player.h"
#include "SearchWorker.h"

#include <QTimer>

// The computer: searches a copy of the position on its worker thread and answers
// on the GUI thread when the search has finished.
class CPUPlayer : public Player
{
    Q_OBJECT

public:
    // The longest the computer thinks when its side has no timer: the exact search
    // would otherwise deepen towards 20 plies for hours.
    static constexpr int untimedCeilingSeconds = 30;
    // The window's pause before each search, so that a reply does not land in the
    // same instant as the move it answers.
    static constexpr int defaultPauseMs = 100;

    struct Options
    {
        int timeLimit = 5; // seconds per move, as the options give it (see searchSeconds)
        int level = 1;
        int pauseMs = defaultPauseMs;
        // The first search's seed, the next ones counting up; negative: the clock's.
        qint64 seed = -1;
        int threads = 0; // 0: every core
    };

    CPUPlayer(Side side, const Options &options, QObject *parent = nullptr);
    ~CPUPlayer() override;

    // The seconds a search may take for a side's time limit: a negative limit is 0,
    // no timer (any limit beyond Player::maxSeconds) the ceiling.
    static int searchSeconds(int timeLimit);

    void play(const Turn &turn) override;
    // Stops a running search, waits for its thread and discards its result.
    void stop() override;
    // Asks a running search to stop at once and answer with the best move of its
    // last completed depth (the first legal move if none is complete).
    void playNow() override;
    bool isThinking() const override { return worker.isRunning(); }

private:
    void onSearchFinished();
    void reportProgress();

    const Options chosen;
    qint64 nextSeed;
    SearchWorker worker;
    QTimer progressTimer;
    qint64 progressShown = 0;
};
