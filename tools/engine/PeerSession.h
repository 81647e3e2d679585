// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HostConnection.h"

#include <QEventLoop>
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
// the chooser's move until the final message. Runs an event loop over a
// HostConnection, the window's own client; while the chooser thinks, the program's
// bytes wait in the system.
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

    void finish(const Move &winning, bool won);
    void play();
    void onFailed(HostConnection::Problem problem, const QString &detail);
    void stop(int code, const QString &why);
    void trace(const char *direction, const QByteArray &bytes);
    void note(const QString &text);

    PeerOptions options;
    Chooser choose;
    QTextStream &out;
    QTextStream &err;
    HostConnection connection;
    QEventLoop loop;
    int exitCode = keepReading;
};
