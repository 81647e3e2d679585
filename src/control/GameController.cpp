#include "GameController.h"

#include "Board.h"

// Placeholder until the controller lands.
GameController::GameController() : dialogSeam(nullptr) {}

GameController *GameController::instance()
{
    static GameController *controller = new GameController;
    return controller;
}

void GameController::startGame(bool) {}
void GameController::stopGame() { turn = 2; }
void GameController::playMove(Move &move) { board->applyMove(move); }
int GameController::currentPlayerType() const { return turn == 0 ? player1Type : player2Type; }
bool GameController::acceptsHumanMove() const { return turn != 2 && currentPlayerType() == Human; }
void GameController::setDialogs(Dialogs *dialogs) { dialogSeam = dialogs; }
void GameController::MoveReady() {}
void GameController::DisconnectedSocket() {}
void GameController::ConnectedSocket() {}
void GameController::TimeElapsed() {}
