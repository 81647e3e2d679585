#pragma once

#include "Player.h"

#include <QObject>

class QTcpSocket;
class QTimer;

// A remote program playing one side over an accepted TCP connection with the
// line protocol: it is sent the position and the opponent's moves, and answers
// each request with one move line under a clock.
class SocketPlayer : public Player
{
    Q_OBJECT

public:
    SocketPlayer(Board *board, int color, int timeLimit, QTcpSocket *socket);
    // Closes the connection and schedules the socket's deletion.
    ~SocketPlayer() override;

    void RequestMove() override;
    Move *TakeMove() override;
    void StartGame() override;

    // Message 5: the winning move of either side; the clock is not touched.
    void SendFinalMove(const Move &move);
    // The game is over: the clock stops and later lines are refused.
    void stopClock();

    int timeLimit;
    Move move;
    QTimer *timer;
    QTcpSocket *socket;

signals:
    void MoveReceived();
    void DisconnectedSocket();
    void TimeElapsed();

private slots:
    void onSocketDataReceived();
    void onDisconnectedSocket();
    void onTimeElapsed();
};
