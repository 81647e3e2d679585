#pragma once

#include "Move.h"

#include <QObject>
#include <QString>
#include <QTcpServer>

class Board;
class Dialogs;
class GameDisplay;
class Player;

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
    // Ends the game in progress silently (a board file was loaded).
    void stopGame();
    // Processes one move of the side in turn; an illegal move is refused.
    void playMove(Move &move);
    int currentPlayerType() const;
    // Whether a person may enter a move on the board now.
    bool acceptsHumanMove() const;

    Dialogs *dialogs() const { return dialogSeam; }
    // Replaces the message boxes and file dialogs (tests); not owned.
    void setDialogs(Dialogs *dialogs);

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
    Dialogs *dialogSeam;
};
