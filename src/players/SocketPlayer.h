// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LineFramer.h"
#include "Player.h"
#include "ZarvikBoard.h"

#include <QBasicTimer>
#include <QByteArray>
#include <QObject>

class QTcpSocket;

// A remote program playing one side over an accepted TCP connection with the
// line protocol: it is sent the position and the opponent's moves, and answers
// each request with one move line under a clock.
//
// Incoming bytes are cut into lines by a LineFramer rather than one readLine per
// readyRead(), so a line split over several TCP segments, or several lines in one
// segment, are each handled once and in order. A move is accepted only while this
// side is asked to play; anything else is answered "4". Its time is the game's to keep.
class SocketPlayer : public Player
{
    Q_OBJECT

public:
    // Black's program is sent the position at once, so that it knows its side.
    SocketPlayer(Side side, QTcpSocket *socket, const Board &position, QObject *parent = nullptr);
    // Closes the connection, which is its child. No signal of this player fires
    // during or after it.
    ~SocketPlayer() override;

    // Sends the opponent's move (message 3), or this side's board message (1 for red,
    // 2 for black) when the move cannot tell the position (the first turn, after a
    // pass); its answer is awaited from then on.
    void play(const Turn &turn) override;
    // Later lines are refused.
    void stop() override;
    // Message 5: the winning move of either side.
    void gameWon(const Move &move) override;
    // A Zarvik window at the other end is told any other end.
    void gameEnded(const GameResult &result, int plies) override;
    // The limits a Zarvik window at the other end is told when it asks for the extension.
    void setLimits(const Extension::Limits &limits) { toldLimits = limits; }

private slots:
    void onSocketDataReceived();
    void onDisconnectedSocket();

private:
    ZarvikBoard position; // as the program was last told it
    QTcpSocket *socket;
    bool asked = false;
    // A Zarvik window that asked for the extension, and what it is told then.
    bool extended = false;
    Extension::Limits toldLimits;

    void timerEvent(QTimerEvent *event) override;

    void sendBoard();
    void send(const QByteArray &message);
    void readArrivedBytes();
    void handleLine(const QByteArray &line);
    bool handleExtension(const QByteArray &line);
    void refuseLine();

    LineFramer framer;
    // Runs while the framer holds a fragment: see LineFramer::fragmentWaitMs.
    QBasicTimer fragmentTimer;
};
