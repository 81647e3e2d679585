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
// started for it, and its record. It ends when the controller decides the end, or
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
    GameRecord record() const { return controller.record(); }

    // The Termination of a game whose program did not connect in time.
    static inline const QString byNoConnection = QStringLiteral("never connected");
    // A lost connection waits this long for its program to end, to tell a crash.
    static constexpr int crashGraceMs = 500;

signals:
    void finished();

private:
    void timerEvent(QTimerEvent *event) override;

    void setTags();
    void onChanged();
    void onDecided(GameController::Ending how, std::optional<Side> winner, std::optional<Side> loser);
    void onConnected(Side side);
    void onProgramEnded(Side side);
    void launch(Side side);
    void awaitConnection(Side side);
    void conclude(std::optional<Side> loser, const QString &termination);
    const PlayerSpec &spec(Side side) const { return side == Side::Red ? setup.red : setup.black; }

    const Setup setup;
    GameController controller;
    std::unique_ptr<ChildProcess> programs[2];
    bool connected[2] = {false, false};
    int refusedLines[2] = {0, 0}; // since the side's last move
    int pliesSeen = 0;
    std::optional<Side> awaited; // the side whose connection is awaited
    std::optional<Side> lostSide; // a lost connection being told from a crash
    QBasicTimer connectTimer;
    QBasicTimer graceTimer;
    bool over = false;
};
