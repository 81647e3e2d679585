#include "GameController.h"

#include "Board.h"
#include "CPUPlayer.h"
#include "GameDisplay.h"
#include "HumanPlayer.h"
#include "SocketPlayer.h"
#include "Translations.h"
#include "WidgetDialogs.h"

#include <QHostAddress>
#include <QTcpSocket>

namespace {
const QString gameOverTitle = QStringLiteral("Partie terminée");
constexpr int noGame = 2;

int otherSide(int side)
{
    return side == 0 ? 1 : 0;
}

Dialogs *widgetDialogs()
{
    static WidgetDialogs dialogs;
    return &dialogs;
}
} // namespace

GameController::GameController()
    : dialogSeam(widgetDialogs())
{
    connect(&server, SIGNAL(newConnection()), this, SLOT(ConnectedSocket()));
}

GameController *GameController::instance()
{
    static GameController *controller = new GameController;
    return controller;
}

void GameController::setDialogs(Dialogs *dialogs)
{
    dialogSeam = dialogs ? dialogs : widgetDialogs();
}

bool GameController::inProgress() const
{
    return turn != noGame && !endDecided;
}

Player *GameController::currentPlayer() const
{
    return turn == 0 ? player1 : player2;
}

int GameController::currentPlayerType() const
{
    return turn == 0 ? player1Type : player2Type;
}

bool GameController::acceptsHumanMove() const
{
    return inProgress() && player1 && player2 && currentPlayerType() == Human;
}

bool GameController::canMove(int side) const
{
    MoveList list;
    board->generateMoves(side, list);
    return list.count > 0;
}

void GameController::startGame(bool useCustomBoard)
{
    turn = noGame;
    server.close();
    ++gameNumber;
    endDecided = false;
    destroyPlayers();
    loadStartingBoard(useCustomBoard);
    mainWindow->clearMoveList();
    turn = 0;
    if (player1Type == Socket || player2Type == Socket)
        openServer();
    if (turn == 0)
        createPlayer1();
}

// A custom board file is read again at every start; one that can no longer be
// read is reported and the game starts on the initial position instead.
void GameController::loadStartingBoard(bool useCustomBoard)
{
    QString error;
    if (!useCustomBoard || customBoardFile.isEmpty()) {
        board->resetToInitial();
    } else if (!board->loadFromFile(customBoardFile, &error)) {
        board->resetToInitial();
        dialogSeam->warning(nullptr, QStringLiteral("Chargement d'un plateau"),
                            QStringLiteral("Impossible de lire le plateau %1 : %2\n"
                                           "La partie commence sur le plateau initial.")
                                .arg(customBoardFile, Translations::fileErrorReason(error)));
    }
}

// The players' signals are cut first: a network player closing its connection
// while it is destroyed must not cancel the game being started.
void GameController::destroyPlayers()
{
    for (Player **player : {&player1, &player2}) {
        if (*player) {
            disconnect(*player, nullptr, this, nullptr);
            delete *player;
            *player = nullptr;
        }
    }
}

void GameController::openServer()
{
    if (server.listen(QHostAddress::Any, port))
        return;
    const QString text = QStringLiteral("Impossible d'attendre les joueurs réseau sur le port %1 : %2")
                             .arg(port)
                             .arg(server.errorString());
    finishGame(text, true);
}

void GameController::createPlayer1()
{
    if (createLocalPlayer(0))
        createPlayer2();
}

void GameController::createPlayer2()
{
    if (createLocalPlayer(1))
        beginGame();
}

// Creates the player of a side played here; a side played by a remote program
// waits for its connection instead (false).
bool GameController::createLocalPlayer(int side)
{
    const bool red = side == 0;
    const int type = red ? player1Type : player2Type;
    if (type == Socket) {
        mainWindow->showStatusMessage(red ? QStringLiteral("Attente de connection du joueur 1 (rouge)...")
                                          : QStringLiteral("Attente de connection du joueur 2 (noir)..."));
        return false;
    }
    Player *player = createPlayer(type, side, red ? player1MaxTime : player2MaxTime,
                                  red ? player1Level : player2Level);
    (red ? player1 : player2) = player;
    return true;
}

Player *GameController::createPlayer(int type, int side, int maxTime, int level)
{
    if (type == Human)
        return new HumanPlayer(board, side);
    auto *cpu = new CPUPlayer(board, side, maxTime, level);
    connect(cpu, SIGNAL(MoveReady()), this, SLOT(MoveReady()));
    return cpu;
}

Player *GameController::createSocketPlayer(int side, int maxTime, QTcpSocket *socket)
{
    auto *player = new SocketPlayer(board, side, maxTime, socket);
    connect(player, SIGNAL(MoveReceived()), this, SLOT(MoveReady()));
    connect(player, SIGNAL(DisconnectedSocket()), this, SLOT(DisconnectedSocket()));
    connect(player, SIGNAL(TimeElapsed()), this, SLOT(TimeElapsed()));
    return player;
}

// Both players exist: red is told that the game begins, unless it cannot move.
void GameController::beginGame()
{
    if (!canMove(0)) {
        askNextPlayer();
        return;
    }
    player1->StartGame();
    mainWindow->showStatusMessage(QStringLiteral("En attente du coup rouge..."));
}

void GameController::ConnectedSocket()
{
    while (QTcpSocket *socket = server.nextPendingConnection()) {
        if (inProgress() && !player1) {
            player1 = createSocketPlayer(0, player1MaxTime, socket);
            createPlayer2();
        } else if (inProgress() && !player2) {
            player2 = createSocketPlayer(1, player2MaxTime, socket);
            beginGame();
        } else {
            socket->close();
            socket->deleteLater();
        }
    }
}

void GameController::MoveReady()
{
    if (!inProgress() || !player1 || !player2 || sender() != currentPlayer())
        return;
    Move move = *currentPlayer()->TakeMove();
    playMove(move);
}

void GameController::playMove(Move &move)
{
    if (!inProgress() || !player1 || !player2)
        return;
    const int side = turn;
    if (!board->isLegal(move, side)) {
        qWarning("Refused a move that is not legal for the side to move: %s",
                 qPrintable(move.toText(board->columns, board->rows)));
        return;
    }
    board->applyMove(move);
    mainWindow->addMove(move);
    if (board->hasWon(side)) {
        mainWindow->refresh();
        sendFinalMove(move);
        finishGame(side == 0 ? QStringLiteral("Joueur 1 gagne la partie")
                             : QStringLiteral("Joueur 2 gagne la partie"),
                   true);
    } else if (board->isDraw(side)) {
        mainWindow->refresh();
        finishGame(QStringLiteral("Match nulle!"), true);
    } else {
        turn = otherSide(side);
        mainWindow->refresh();
        askNextPlayer();
    }
}

void GameController::sendFinalMove(const Move &move)
{
    if (player1Type == Socket)
        static_cast<SocketPlayer *>(player1)->SendFinalMove(move);
    if (player2Type == Socket)
        static_cast<SocketPlayer *>(player2)->SendFinalMove(move);
}

// A side without a legal move passes; when neither side can move the game is drawn.
void GameController::askNextPlayer()
{
    QString status = turn == 0 ? QStringLiteral("En attente du coup rouge")
                               : QStringLiteral("En attente du coup noir");
    if (!canMove(turn)) {
        if (!canMove(otherSide(turn))) {
            finishGame(QStringLiteral("Match nulle!"), true);
            return;
        }
        status = turn == 0 ? QStringLiteral("Le joueur rouge ne peut pas jouer, il passe son tour.")
                           : QStringLiteral("Le joueur noir ne peut pas jouer, il passe son tour.");
        turn = otherSide(turn);
        mainWindow->refresh();
    }
    currentPlayer()->RequestMove();
    mainWindow->showStatusMessage(status);
}

void GameController::DisconnectedSocket()
{
    if (inProgress())
        finishGame(QStringLiteral("Connection réseau a été perdue, la partie est annulée."), false);
}

void GameController::TimeElapsed()
{
    if (!inProgress())
        return;
    finishGame(turn == 0
                   ? QStringLiteral("Le joueur rouge a pris trop de temps.  Le joueur noir est le gagnant.")
                   : QStringLiteral("Le joueur noir a pris trop de temps.  Le joueur rouge est le gagnant."),
               false);
}

// The end is decided before the box opens; turn keeps the side to move while the
// box is shown, as the views expect.
void GameController::finishGame(const QString &text, bool showInStatus)
{
    endDecided = true;
    stopSearchesAndClocks();
    const int game = gameNumber;
    dialogSeam->information(gameOverTitle, text);
    if (game != gameNumber)
        return;
    turn = noGame;
    server.close();
    if (showInStatus)
        mainWindow->showStatusMessage(text);
}

void GameController::stopGame()
{
    turn = noGame;
    server.close();
    stopSearchesAndClocks();
}

void GameController::stopSearchesAndClocks()
{
    for (Player *player : {player1, player2}) {
        if (auto *cpu = qobject_cast<CPUPlayer *>(player))
            cpu->cancelSearch();
        else if (auto *remote = qobject_cast<SocketPlayer *>(player))
            remote->stopClock();
    }
}

void GameController::detach()
{
    stopGame();
    destroyPlayers();
    board = nullptr;
    mainWindow = nullptr;
}
