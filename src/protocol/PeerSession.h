// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MessageSplitter.h"
#include "PeerGame.h"

#include <QTcpSocket>
#include <QTextStream>

#include <functional>

// Where to connect and what to tell.
struct PeerOptions
{
    QString host;
    quint16 port = Protocol::defaultPort;
    bool verbose = false;
};

// One game as a remote player: connects to the program, answers every request with
// the chooser's move until the final message. Works with the socket's blocking
// calls; while the chooser thinks, the program's bytes wait in the system.
class PeerSession
{
public:
    // Exit codes of the connect command.
    enum Exit {
        gameOver = 0,
        cannotConnect = 2,
        connectionLost = 3,
        moveRefused = 4,
        protocolError = 5,
    };

    // The move to play for the side on the position; legal whenever one is.
    using Chooser = std::function<Move(const ZarvikBoard &position, Side side)>;

    PeerSession(const PeerOptions &options, const Chooser &choose, QTextStream &out, QTextStream &err);
    int run();

private:
    static constexpr int keepReading = -1;

    bool connectToProgram();
    int readUntilOver();
    int handleArrived();
    int handle(const MessageSplitter::Message &message);
    int finish(const MessageSplitter::Message &message);
    int play();
    int send(const Move &move);
    int lost();
    int stop(int exitCode, const QString &why);
    void trace(const char *direction, const QByteArray &bytes);
    void note(const QString &text);

    PeerOptions options;
    Chooser choose;
    QTextStream &out;
    QTextStream &err;
    QTcpSocket socket;
    MessageSplitter splitter;
    PeerGame game;
};
