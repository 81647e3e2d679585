// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameController.h"
#include "GameRecord.h"
#include "PlayerSpec.h"
#include "ZarvikBoard.h"

#include <QBasicTimer>
#include <QObject>

#include <memory>

class ChildProcess;

// One game of a match: a headless GameController with its own port, the programs
// started for it, and its record. The game decides its end, told by this arbiter
// when a program crashes or never connects; then every program it started is
// killed and finished() is emitted once.
class MatchGame : public QObject
{
    Q_OBJECT

public:
    struct Setup
    {
        PlayerSpec red;
        PlayerSpec black;
        QString boardFile; // empty: the initial position
        Side firstSide = Side::Red;
        qint64 seed = -1;
        int round = 1;
        int connectTimeoutMs = 10000;
    };

    explicit MatchGame(const Setup &setup, QObject *parent = nullptr);
    ~MatchGame() override;

    void start();
    // Ends the game at once without a result (the match is interrupted).
    void abort();
    bool isOver() const { return over; }
    GameRecord record() const { return controller.game()->record(); }

    // A lost connection waits this long for its program to end, to tell a crash.
    static constexpr int crashGraceMs = 500;

signals:
    void finished();

private:
    void timerEvent(QTimerEvent *event) override;

    std::vector<GameRecord::Tag> tags() const;
    void onConnected(Side side);
    void onProgramEnded(Side side);
    void forfeit(Side side, GameResult::Ending how);
    void onEnded();
    void launch(Side side);
    void awaitConnection(Side side);
    const PlayerSpec &spec(Side side) const { return side == Side::Red ? setup.red : setup.black; }

    const Setup setup;
    GameController controller;
    std::unique_ptr<ChildProcess> programs[2];
    bool connected[2] = {false, false};
    std::optional<Side> awaited; // the side whose connection is awaited
    QBasicTimer connectTimer;
    bool over = false;
};
