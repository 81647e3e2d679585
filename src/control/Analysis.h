// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DepthListener.h"
#include "SearchWorker.h"
#include "Side.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

class Game;
class GameModel;

// The analysis panel's search: the expert search on one thread of its own, over a
// copy of the position the model shows, started again whenever that position or
// its side to move changes. It waits while the computer playing a side thinks, so
// that it never takes a core from it, and goes on afterwards. Each completed depth
// goes out with its score for the side searched and the line of play expected.
class Analysis : public QObject, private DepthListener
{
    Q_OBJECT

public:
    // A position is searched this deep or this long at most.
    static constexpr int maxDepth = SearchSettings::expertMaxDepth;
    static constexpr int maxSeconds = 60;

    explicit Analysis(const Game *played, QObject *parent = nullptr);
    // Stops a running search and waits for it.
    ~Analysis() override;

    // On while the panel is shown; off stops the search at once.
    void setActive(bool on);
    // How long a position is searched at most (maxSeconds unless told).
    void setTimeLimit(int seconds) { timeLimit = seconds; }
    bool isActive() const { return active; }
    bool isSearching() const { return worker.isRunning(); }

signals:
    // A new position, or none to search: what to show instead of a line (searching,
    // waiting for the computer, won, drawn).
    void statusChanged(const QString &text);
    // A depth is complete: its score for toMove, the side searched, the moves toMove
    // has left until it wins (negated: until it loses; 0 when the end is not in
    // sight), and the expected line as move texts ("B2 - B3"), toMove's move first.
    void deepened(Side toMove, int depth, int score, int movesToEnd, const QStringList &line);
    // The search has stopped by itself: deep enough, out of time, or the end is sure.
    void searchEnded();

private:
    void depthCompleted(const DepthReport &report) override;
    void positionChanged();
    void onThinkingChanged(bool thinking);
    void restart();
    // Why the position shown is not searched (a side has won, nobody can move), or
    // nothing.
    QString closedText() const;
    // Drops the search and whatever it has still to say.
    void stopSearch();
    QString shownKey() const;

    const Game *const played;
    const GameModel *const game;
    SearchWorker worker{SearchSettings::expertLevel};
    // Gathers the changes of one move (the move, a pass after it, the computer
    // starting) into one start.
    QTimer restartTimer;
    bool active = false;
    // The position and side last searched; read by the search thread only while it runs.
    QString searchedKey;
    Side searchedSide = Side::Red;
    int timeLimit = maxSeconds;
};
