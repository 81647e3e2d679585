// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Player.h"
#include "ZarvikBoard.h"

#include <QBasicTimer>
#include <QByteArray>
#include <QObject>

class QTcpSocket;
class QTimer;

// A remote program playing one side over an accepted TCP connection with the
// line protocol: it is sent the position and the opponent's moves, and answers
// each request with one move line under a clock.
//
// Incoming bytes are cut into lines here rather than one readLine per readyRead(),
// so a line split over several TCP segments, or several lines in one segment, are
// each handled once and in order. A move is accepted only while this side's clock
// runs; anything else is answered "4".
class SocketPlayer : public Player
{
    Q_OBJECT

public:
    // Black's program is sent the position at once, so that it knows its side.
    SocketPlayer(Side side, int timeLimit, QTcpSocket *socket, const Board &position, QObject *parent = nullptr);
    // Closes the connection and schedules the socket's deletion. No signal of this
    // player fires during or after it.
    ~SocketPlayer() override;

    // Sends the opponent's move (message 3), or this side's board message (1 for red,
    // 2 for black) when the move cannot tell the position (the first turn, after a
    // pass), and starts the clock.
    void play(const Turn &turn) override;
    // The clock stops and later lines are refused.
    void stop() override;
    // Message 5: the winning move of either side; the clock is not touched.
    void gameWon(const Move &move) override;
    bool isRemote() const override { return true; }

private slots:
    void onSocketDataReceived();
    void onDisconnectedSocket();
    void onTimeElapsed();

private:
    const int timeLimit;
    ZarvikBoard position; // as the program was last told it
    QTimer *timer;
    QTcpSocket *socket;

    // Longest line accepted, its line feed included; longer ones are refused.
    static constexpr int maxLineBytes = 1022;

    void timerEvent(QTimerEvent *event) override;

    void sendBoard();
    void send(const QString &text, int maxLength);
    void startClock();
    void readArrivedBytes();
    void takePiece(const char *piece, int size);
    void handleLine(const QByteArray &line);
    void refuseLine();

    // Bytes of the line being received, without its line feed yet; never more
    // than maxLineBytes.
    QByteArray pendingLine;
    // Inside an over-long line already refused: its bytes are dropped up to its
    // line feed.
    bool skippingLongLine = false;
    // Inside readArrivedBytes. A slot reacting to a move may run an event loop (an
    // end-of-game box): bytes that arrive or answers that go out meanwhile start no
    // second reading; the bytes wait for this one to go on.
    bool reading = false;
    // A fragment without line feed is taken as a whole line once no byte has
    // arrived for this long, for peers that end their move without a line feed.
    int fragmentWaitMs = 200;
    QBasicTimer fragmentTimer;
};
