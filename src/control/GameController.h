// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameModel.h"
#include "HostConnection.h"
#include "GameOptions.h"
#include "Player.h"
#include "Protocol.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>

#include <optional>

class QTcpSocket;

// Runs a game: owns its model, the two seats and the server on which remote
// programs connect; asks the side to move to play and plays its answer into the
// model. It never blocks and shows nothing: what happens goes out as signals, and
// the window shows it.
//
// It also joins a game that another Zarvik hosts (joinGame()): the host's first
// board message starts the model, the person here plays the side the host gave, and
// a HostPlayer stands for the other side.
//
// The window's controller is instance(); tests and headless hosts construct their
// own, with their own port and no pause before the computer's searches.
class GameController : public QObject
{
    Q_OBJECT

public:
    // How a game ended, for hosts that keep score.
    enum class Ending { GoalRow, Draw, TimeOut, Resignation, Disconnection, CannotStart };
    Q_ENUM(Ending)

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

    explicit GameController(QObject *parent = nullptr);
    explicit GameController(const Settings &settings, QObject *parent = nullptr);
    ~GameController() override;

    // The window's controller, created on first use.
    static GameController *instance();

    // The game played, replayed or loaded; the views read it.
    GameModel *model() { return &game; }
    const GameModel *model() const { return &game; }

    // A new game with these options, from the start they choose.
    void startGame(const GameOptions &options);
    // A new game with these options that goes on from the position the model shows,
    // keeping the plies before it.
    void continueGame(const GameOptions &options);
    // Ends the game in progress silently; a running search is stopped and its
    // result discarded. The model keeps what was played.
    void stopGame();
    // Connects to the Zarvik that hosts a game on host and port, as the remote
    // program of one of its sides; the game starts with its first message.
    void joinGame(const QString &host, quint16 port);
    // Where later games listen for remote programs (the port 0: any free one).
    void setListening(const QHostAddress &address, quint16 port);
    // Whether the game is one this window joined.
    bool joined() const { return joining != nullptr; }

    // A move entered by the person to move; refused when no person is to move or
    // the move is not legal.
    void playMove(const Move &move);

    // The person to move gives the game up; the other side wins.
    void resign();

    // Takes back the last move of a person, with the computer's replies after it, so
    // that the person moves again; the moves taken back can be played again by redo(),
    // until another move is played. Neither runs while the computer searches nor in
    // a game with a remote program.
    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();
    // The game so far.
    GameRecord record() const { return game.record(); }

    // Whether the computer is searching a move for the side to move.
    bool computerThinking() const;
    // Makes the computer searching now play the best move it has found so far.
    void playNow();

    // The side to move while a game is in progress.
    std::optional<Side> turn() const;
    // The side whose person may enter a move now.
    std::optional<Side> humanSide() const;
    // When the time of the side to move runs out: never without a game in progress,
    // a side to move without timer, or a remote program not yet asked.
    QDeadlineTimer moveDeadline() const { return inProgress() ? deadline : QDeadlineTimer(QDeadlineTimer::Forever); }
    // The port the server listens on, once a game with a remote side has started.
    quint16 serverPort() const;
    const GameOptions &options() const { return chosen; }

signals:
    void statusChanged(const QString &text);
    // The side whose person may now enter a move on the board, if any.
    void humanSideChanged(std::optional<Side> side);
    // The computer has started or stopped searching.
    void thinkingChanged(bool thinking);
    // The computer to move has completed a depth of its search, with its best score.
    void computerDepth(int depth, int score);
    // What undo() and redo() can do may have changed.
    void historyChanged();
    // The end is decided: how, the side that won and the side that lost or failed.
    // A lost connection cancels the game, so it names only the side whose program left.
    void gameDecided(GameController::Ending how, std::optional<Side> winner, std::optional<Side> loser);
    // The game has ended (won, drawn, lost on time or cancelled), with the text to show.
    void gameEnded(const QString &text);
    // No game could start (a board file that cannot be read, a port that is taken):
    // a title and a sentence to show as an error.
    void startFailed(const QString &title, const QString &text);
    // A remote program has connected and plays this side.
    void playerConnected(Side side);
    // A line of the remote program playing this side was answered "4".
    void lineRefused(Side side);
    // The host of a joined game gave this window the side.
    void sideJoined(Side side);
    // Where a friend connects while a "Réseau" side waits: the addresses and the
    // port to give; empty once nobody waits.
    void awaitingFriend(const QString &where);

private:
    bool inProgress() const { return running; }
    Player *seat(Side side) const { return seats[indexOf(side)]; }
    Player *currentSeat() const { return seat(game.sideToMove()); }
    bool seated() const { return seats[0] && seats[1]; }
    bool loadStart(ZarvikBoard &board, Side &side);
    void launch(const GameOptions &options);
    void clearSeats();
    bool openServer();
    void seatNext();
    Player *createSeat(Side side);
    void connectSeat(Player *player);
    void onConnection();
    void onMoved(const Move &move);
    void onFailed(Player::Failure how);
    void onDepth(int depth, int score);
    void conclude();
    void askSeat();
    void askToPlay(Side side, const Player::Turn &turn);
    void nameSeats();
    bool endsAtStart();
    bool isPerson(Side side) const { return chosen.seat(side).kind == PlayerKind::Human; }
    bool hasRemoteSide() const;
    bool hasSide(PlayerKind kind) const;
    QString waitingText() const;
    QString whereToConnect() const;
    void onSideGiven(Side side, const ZarvikBoard &position);
    void onJoinFailed(HostConnection::Problem problem, const QString &detail);
    void dropConnection();
    QString failureText(Player::Failure how, Side side) const;
    void stopSeats();
    void finishGame(const QString &text, Ending how, std::optional<Side> winner = {}, std::optional<Side> loser = {});
    static QString terminationOf(Ending how);
    void updateHumanSide();
    void updateThinking();

    Settings settings;
    GameOptions chosen;
    GameModel game;
    // Children, so that they go with the controller whatever their state; a seat
    // that leaves is deleted once control is back in the event loop.
    Player *seats[2] = {nullptr, nullptr};
    QTcpServer server{this}; // a child, so that tests can find the connections it holds
    // The connection to the host of a joined game; a child, deleted with the game.
    HostConnection *joining = nullptr;
    bool running = false;
    QDeadlineTimer deadline{QDeadlineTimer::Forever}; // of the seat asked last
    std::optional<Side> shownHumanSide;
    bool shownThinking = false;
    // For each side, the ply count at which its seat last saw the whole position (its
    // board message, or its own move): a seat that missed more than the opponent's
    // one reply is sent the board again.
    int pliesKnown[2] = {-1, -1};
};

Q_DECLARE_METATYPE(std::optional<Side>)
