// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Game.h"
#include "HostConnection.h"
#include "Protocol.h"

#include <QHostAddress>
#include <QObject>
#include <QTcpServer>

// Who sits at each side of a game: the person and the computer at once, a remote
// program once it has connected to the server listening for it, and, in a game
// joined from another Zarvik, the person here and the host there. It seats them in
// the game, red first, and plays no part in the game itself.
class Seating : public QObject
{
    Q_OBJECT

public:
    struct Settings
    {
        quint16 port = Protocol::defaultPort; // 0: any free port, see serverPort()
        int computerPauseMs = 100;
        // Where remote players may connect from: Any, or LocalHost for this computer only.
        QHostAddress address = QHostAddress::Any;
        // A joined game ends when the host sends nothing for this long while this
        // window waits for it: long enough for a person there to think, or a computer
        // on a long time limit.
        int hostSilenceMs = 10 * 60 * 1000;
        int joinTimeoutMs = 20000; // to connect to a host
    };

    Seating(Game &game, const Settings &settings, QObject *parent = nullptr);

    // Seats the sides of the game just begun with these options; a remote side waits
    // for its program's connection, and the sides after it with it.
    void seat(const GameOptions &options);
    // Connects to the Zarvik that hosts a game on host and port, as the remote program
    // of one of its sides; the game begins with the host's first message.
    void join(const QString &host, quint16 port);
    // Stops listening and leaves a joined game's host.
    void stop();

    // Where later games listen for remote programs (the port 0: any free one).
    void setListening(const QHostAddress &address, quint16 port);
    // The port the server listens on, once a game with a remote side has started.
    quint16 serverPort() const { return server.serverPort(); }
    bool joined() const { return joining != nullptr; }
    int hostSilenceMs() const { return settings.hostSilenceMs; }

signals:
    // A remote program is awaited for the side.
    void awaitingConnection(Side side);
    // Where a friend connects while a "Réseau" side waits: the addresses and the
    // port to give; empty once nobody waits.
    void awaitingFriend(const QString &where);
    void playerConnected(Side side);
    // No game could start: a title and a sentence to show as an error.
    void failed(const QString &title, const QString &text);
    // Joining: connecting to the host, connected, then given a side.
    void connecting(const QString &host, quint16 port);
    void hostReached();
    void sideJoined(Side side);

private:
    bool listen();
    void seatNext();
    Player *createSeat(Side side) const;
    void onConnection();
    void onEnded(const GameResult &result);
    void onSideGiven(Side side, const ZarvikBoard &position);
    void onJoinFailed(HostConnection::Problem problem, const QString &detail);
    void fail(const QString &title, const QString &text);
    QString whereToConnect(Side side) const;
    static Extension::Limits limitsOf(const GameOptions &options);

    Game &game;
    Settings settings;
    GameOptions chosen;
    QTcpServer server{this}; // a child, so that tests can find the connections it holds
    // The connection to the host of a joined game; a child, deleted with the game.
    HostConnection *joining = nullptr;
};
