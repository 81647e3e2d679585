// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LineFramer.h"
#include "Player.h"
#include "Side.h"

#include <QBasicTimer>
#include <QByteArray>
#include <QObject>

class QTcpSocket;
class QTimer;

// A remote program playing one side over an accepted TCP connection with the
// line protocol: it is sent the position and the opponent's moves, and answers
// each request with one move line under a clock.
//
// Incoming bytes are cut into lines by a LineFramer rather than one readLine per
// readyRead(), so a line split over several TCP segments, or several lines in one
// segment, are each handled once and in order. A move is accepted only while this
// side's clock runs; anything else is answered "4".
class SocketPlayer : public Player
{
    Q_OBJECT

public:
    SocketPlayer(Board *board, int color, int timeLimit, QTcpSocket *socket);
    // Closes the connection and schedules the socket's deletion. No signal of this
    // player fires during or after it.
    ~SocketPlayer() override;

    void RequestMove() override;
    // Sends this side's board message again (1 for red, 2 for black) and starts the
    // clock: after a pass the opponent's last move cannot tell the position.
    void RequestMoveAfterPass() override;
    Move *TakeMove() override;
    void StartGame() override;

    // Message 5: the winning move of either side; the clock is not touched.
    void SendFinalMove(const Move &move);
    // The game is over: the clock stops and later lines are refused.
    void stopClock();

signals:
    void MoveReceived();
    void DisconnectedSocket();
    void TimeElapsed();
    // A line was answered "4": not a legal move of this side now, or out of turn.
    void LineRefused();

private slots:
    void onSocketDataReceived();
    void onDisconnectedSocket();
    void onTimeElapsed();

private:
    const int timeLimit;
    Move move;
    QTimer *timer;
    QTcpSocket *socket;

    void timerEvent(QTimerEvent *event) override;

    Side playedSide() const;
    void sendBoard();
    void send(const QByteArray &message);
    void startClock();
    void readArrivedBytes();
    void handleLine(const QByteArray &line);
    void refuseLine();

    LineFramer framer;
    // Inside readArrivedBytes. A slot reacting to a move may run an event loop (an
    // end-of-game box): bytes that arrive or answers that go out meanwhile start no
    // second reading; the bytes wait for this one to go on.
    bool reading = false;
    // Runs while the framer holds a fragment: see LineFramer::fragmentWaitMs.
    QBasicTimer fragmentTimer;
};
