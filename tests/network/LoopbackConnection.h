#pragma once

#include "SocketPlayer.h"
#include "ZarvikBoard.h"

#include <QTcpServer>
#include <QTcpSocket>

// A remote program on the loopback interface: a server on an ephemeral port, the
// program's socket connected to it, and the accepted socket that a SocketPlayer
// takes. Everything the program is sent collects in received.
class LoopbackConnection
{
public:
    // Listens, connects and accepts; false when any step fails.
    bool open()
    {
        if (!server.listen(QHostAddress::LocalHost, 0))
            return false;
        QObject::connect(&peer, &QTcpSocket::readyRead, &peer, [this] { received += peer.readAll(); });
        peer.connectToHost(QHostAddress::LocalHost, server.serverPort());
        if (!server.waitForNewConnection(10000))
            return false;
        accepted = server.nextPendingConnection();
        return accepted && peer.waitForConnected(10000);
    }

    void send(const QByteArray &bytes)
    {
        peer.write(bytes);
        peer.flush();
    }

    QTcpServer server;
    QTcpSocket peer;
    QTcpSocket *accepted = nullptr;
    QByteArray received;
};

// Texts as the peer sees them for the initial position.
inline QByteArray boardMessage(const char *code, const Board &board)
{
    return QByteArray(code) + board.toText().toLatin1();
}

// Generous bound for anything that only waits on the loopback interface.
constexpr int patience = 20000;
