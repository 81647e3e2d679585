#pragma once

#include "Move.h"

#include <QObject>
#include <QString>
#include <QTcpServer>

class Board;
class Dialogs;
class GameDisplay;
class Player;
class QTcpSocket;

// How a side is played.
enum PlayerType { Cpu = 0, Human = 1, Socket = 2 };

// Runs a game: owns the two players and the server on which remote programs
// connect, knows whose turn it is, applies every move, announces the end of the
// game and asks the next side to play. Reaches the window only through its
// GameDisplay, and shows message boxes through a Dialogs seam.
class GameController : public QObject
{
    Q_OBJECT

public:
    static constexpr quint16 port = 8888;

    static GameController *instance();

    void startGame(bool useCustomBoard);
    // Ends the game in progress silently (a board file was loaded); a running
    // search is stopped and its result discarded.
    void stopGame();
    // Processes one move of the side in turn; a move that is not legal for that
    // side, or that comes while no game can take it, is refused.
    void playMove(Move &move);
    int currentPlayerType() const;
    // Whether a person may enter a move on the board now: a game runs, its end
    // has not been decided, both players exist and the side to move is human.
    bool acceptsHumanMove() const;
    // Stops the game and lets go of the players, the board and the display (the
    // window that owns them is going away).
    void detach();

    Dialogs *dialogs() const { return dialogSeam; }
    // Replaces the message boxes and file dialogs (tests, a headless host); not
    // owned. Null brings back the real ones.
    void setDialogs(Dialogs *dialogs);

    // 0 red to move, 1 black to move, 2 no game in progress.
    int turn = 0;
    int player1Type = Human;
    int player2Type = Human;
    int player1MaxTime = 0;
    int player2MaxTime = 0;
    int player1Level = 1;
    int player2Level = 1;
    Board *board = nullptr;
    QString customBoardFile;
    GameDisplay *mainWindow = nullptr;
    Player *player1 = nullptr;
    Player *player2 = nullptr;
    QTcpServer server;

private slots:
    void MoveReady();
    void DisconnectedSocket();
    void ConnectedSocket();
    void TimeElapsed();

private:
    GameController();

    bool inProgress() const;
    Player *currentPlayer() const;
    bool canMove(int side) const;
    void loadStartingBoard(bool useCustomBoard);
    void destroyPlayers();
    void openServer();
    void createPlayer1();
    void createPlayer2();
    bool createLocalPlayer(int side);
    Player *createPlayer(int type, int side, int maxTime, int level);
    Player *createSocketPlayer(int side, int maxTime, QTcpSocket *socket);
    void beginGame();
    void askNextPlayer();
    void sendFinalMove(const Move &move);
    void stopSearchesAndClocks();
    void finishGame(const QString &text, bool showInStatus);

    Dialogs *dialogSeam;
    // Set as soon as the end of the game is decided, before its message box opens:
    // signals delivered while the box is open must not announce a second end.
    bool endDecided = false;
    // Counts games, so that a box closed after a new game has started ends nothing.
    int gameNumber = 0;
};
