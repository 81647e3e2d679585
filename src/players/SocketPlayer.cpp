#include "SocketPlayer.h"

#include <QTcpSocket>
#include <QTimer>

// Placeholder until the protocol lands.
SocketPlayer::SocketPlayer(Board *board, int color, int timeLimit, QTcpSocket *socket)
    : Player(board, color), timeLimit(timeLimit), timer(new QTimer(this)), socket(socket)
{
}

SocketPlayer::~SocketPlayer()
{
    socket->close();
}

void SocketPlayer::RequestMove() {}
Move *SocketPlayer::TakeMove() { return &move; }
void SocketPlayer::StartGame() {}
void SocketPlayer::SendFinalMove(const Move &) {}
void SocketPlayer::stopClock() {}
void SocketPlayer::onSocketDataReceived() {}
void SocketPlayer::onDisconnectedSocket() {}
void SocketPlayer::onTimeElapsed() {}
