// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameOptions.h"
#include "GameRecord.h"
#include "Move.h"

#include <QObject>
#include <QString>
#include <QTcpServer>

#include <vector>

class Board;
class Dialogs;
class Player;
class QTcpSocket;

// Runs a game: owns the two players and the server on which remote programs
// connect, knows whose turn it is, applies every move, announces the end of the
// game and asks the next side to play. It shows nothing itself: what happens goes
// out as signals, and message boxes through a Dialogs seam (none: nothing shown).
//
// The window's controller is instance(); tests and headless hosts construct their
// own, with their own port and no pause before the computer's searches.
class GameController : public QObject
{
    Q_OBJECT

public:
    static constexpr int red = 0;
    static constexpr int black = 1;
    static constexpr int noGame = 2;

    // One turn of the game: a move, or GameRecord::pass when the side could not move.
    struct Ply
    {
        Move move;
        int side = red;
    };
    // How a game ended, for hosts that keep score.
    enum class Ending { GoalRow, Draw, TimeOut, Disconnection, CannotStart };
    Q_ENUM(Ending)

    struct Settings
    {
        quint16 port = 8888; // 0: any free port, see serverPort()
        int computerPauseMs = 100;
    };

    explicit GameController(QObject *parent = nullptr);
    explicit GameController(const Settings &settings, QObject *parent = nullptr);
    ~GameController() override;

    // The window's controller, created on first use.
    static GameController *instance();

    // The one board of the program; not owned. Set before the first game.
    void setBoard(Board *board);
    // Replaces the message boxes (tests, a headless host); not owned; null shows none.
    void setDialogs(Dialogs *dialogs);

    void startGame(const GameOptions &options);
    // Ends the game in progress silently (a board file was loaded); a running
    // search is stopped and its result discarded.
    void stopGame();
    // Processes one move of the side in turn; a move that is not legal for that
    // side, or that comes while no game can take it, is refused.
    void playMove(const Move &move);

    // Takes back the last move of a person, with the computer's replies after it, so
    // that the person moves again; the moves taken back can be played again by redo(),
    // until another move is played. Neither runs while the computer searches nor in
    // a game with a remote program (see canUndo() and canRedo()).
    bool canUndo() const;
    bool canRedo() const;
    void undo();
    void redo();
    // The turns played since the start of the game, passes included.
    const std::vector<Ply> &history() const { return played; }
    // The game so far: its start position and side, turns and result.
    GameRecord record() const;

    // Whether the computer is searching a move for the side to move.
    bool computerThinking() const;
    // Makes the computer searching now play the best move it has found so far.
    void playNow();

    // 0 red to move, 1 black to move, 2 no game in progress (also once its end is
    // decided).
    int turn() const;
    // The side whose person may enter a move now, or noGame.
    int humanSide() const;
    // The port the server listens on, once a game with a remote side has started.
    quint16 serverPort() const;
    const Board *board() const { return gameBoard; }
    const GameOptions &options() const { return chosen; }

signals:
    // A new game is set up: the move list is empty and the first side is to move.
    void gameCleared();
    void movePlayed(const Move &move, int side);
    // The board changed or the turn passed: side is the side to show as moving.
    void positionChanged(int side);
    void statusChanged(const QString &text);
    // The side whose person may now enter a move on the board, or noGame.
    void humanSideChanged(int side);
    // The computer has started or stopped searching.
    void thinkingChanged(bool thinking);
    // The computer to move has completed a depth of its search, with its best score.
    void computerDepth(int depth, int score);
    // The game has ended (won, drawn, lost on time or cancelled), with the text shown.
    void gameEnded(const QString &text);
    // Moves were taken back: the game now has this many moves, passes not counted.
    void movesTakenBack(int moves);
    // What undo() and redo() can do may have changed.
    void historyChanged();
    // The end is decided (just before gameEnded, if it follows): how, the side that
    // won and the side that lost or failed, each noGame when there is none. A lost
    // connection cancels the game, so it names only the side whose program left.
    void gameDecided(GameController::Ending how, int winner, int loser);
    // A remote program has connected and plays this side.
    void playerConnected(int side);
    // A line of the remote program playing this side was answered "4".
    void lineRefused(int side);

private slots:
    void MoveReady();
    void DisconnectedSocket();
    void ConnectedSocket();
    void TimeElapsed();
    void LineRefused();
    void DepthReached(int depth, int score);

private:
    bool inProgress() const;
    Player *currentPlayer() const;
    bool canMove(int side) const;
    bool loadStartingBoard(int &firstSide);
    void destroyPlayers();
    void deletePlayersNow();
    bool openServer();
    void createPlayer1();
    void createPlayer2();
    bool createLocalPlayer(int side);
    Player *createPlayer(int side);
    Player *createSocketPlayer(int side, QTcpSocket *socket);
    void beginGame();
    bool endsAtStart();
    void askNextPlayer();
    void recordMove(Move move, int side);
    void concludeMove(int side);
    bool isPlayedByPerson(int side) const;
    bool hasRemoteSide() const;
    QString waitingText() const;
    void sendFinalMove(const Move &move);
    void stopSearchesAndClocks();
    void finishGame(const QString &text, Ending how, int winner = noGame, int loser = noGame);
    static QString terminationOf(Ending how);
    void updateHumanSide();
    void updateThinking();

    const Settings settings;
    GameOptions chosen;
    int turnSide = red;
    Board *gameBoard = nullptr;
    Player *player1 = nullptr;
    Player *player2 = nullptr;
    QTcpServer server{this}; // a child, so that tests can find the connections it holds
    Dialogs *dialogSeam = nullptr;
    int shownHumanSide = noGame;
    bool shownThinking = false;
    // Moves played in this game, and for each side the count at which its player
    // last learnt the whole position (its board message, or its own move): a side
    // that missed more than the opponent's one reply is sent the board again.
    int plies = 0;
    int pliesKnown[2] = {-1, -1};
    std::vector<Ply> played;
    std::vector<Ply> undone; // moves taken back, the next one to redo last; no passes
    bool redoing = false;    // the computer is not asked for a move that redo() will replay
    GameRecord startRecord;  // the start position and side; tags, result and termination
    // Set as soon as the end of the game is decided, before its message box opens:
    // signals delivered while the box is open must not announce a second end.
    bool endDecided = false;
    // Counts games, so that a box closed after a new game has started ends nothing.
    int gameNumber = 0;
};
