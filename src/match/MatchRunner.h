// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MatchGame.h"
#include "MatchSchedule.h"
#include "MatchTable.h"
#include "OpeningList.h"
#include "PlayerSpec.h"
#include "Sprt.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QObject>
#include <QTextStream>

#include <optional>
#include <set>

// What a match plays.
struct MatchPlan
{
    PlayerSpec first;
    PlayerSpec second;
    std::vector<MatchSchedule::Game> games;
    std::vector<OpeningList::Opening> openings;
    int concurrency = 1;
    qint64 seed = 0; // game n's computer players draw from seed + n
    int connectTimeoutMs = 10000;
    QString recordsPath; // empty: none written
    std::optional<Sprt> sprt;
};

// Plays a match: keeps up to `concurrency` games running, each a MatchGame with its
// own controller and port, appends each finished game's record to the records file,
// adds it to the table, rewrites the progress line on the error stream, and stops
// early when the SPRT decides or it is interrupted (the games under way are then
// dropped, their programs killed).
class MatchRunner : public QObject
{
    Q_OBJECT

public:
    MatchRunner(const MatchPlan &plan, QTextStream &err);
    ~MatchRunner() override;

    // False with the reason on err when the records file cannot be opened.
    bool run();
    // Stops the match: from within run(), on Ctrl+C say.
    void interrupt();
    const MatchTable &table() const { return scores; }
    bool wasInterrupted() const { return interrupted; }
    // The SPRT's verdict so far, from the first player's view.
    Sprt::Decision decision() const { return verdict; }

private:
    void launchGames();
    void onGameFinished(MatchGame *game);
    void showProgress();
    void finishWhenIdle();

    const MatchPlan plan;
    QTextStream &err;
    QFile records;
    MatchTable scores;
    std::set<MatchGame *> running;
    std::size_t nextGame = 0;
    bool interrupted = false;
    Sprt::Decision verdict = Sprt::Decision::Continue;
    QElapsedTimer clock;
    QEventLoop loop;
};
