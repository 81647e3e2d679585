#include "GameController.h"

#include "Board.h"
#include "CPUPlayer.h"
#include "Dialogs.h"
#include "HumanPlayer.h"
#include "SocketPlayer.h"

#include <QHostAddress>
#include <QTcpSocket>

namespace {
const QString gameOverTitle = QStringLiteral("Partie terminée");

int otherSide(int side)
{
    return side == GameController::red ? GameController::black : GameController::red;
}

QString winText(int side)
{
    return side == GameController::red ? QStringLiteral("Joueur 1 gagne la partie")
                                       : QStringLiteral("Joueur 2 gagne la partie");
}

const QString drawText = QStringLiteral("Match nulle!");

// Far apart seeds for the two sides' searches of one game.
constexpr qint64 seedStride = 1000003;
} // namespace

GameController::GameController(QObject *parent)
    : GameController(Settings(), parent)
{
}

GameController::GameController(const Settings &settings, QObject *parent)
    : QObject(parent), settings(settings)
{
    connect(&server, &QTcpServer::newConnection, this, &GameController::ConnectedSocket);
}

GameController::~GameController()
{
    deletePlayersNow();
}

GameController *GameController::instance()
{
    static GameController *controller = new GameController;
    return controller;
}

void GameController::setBoard(Board *newBoard)
{
    deletePlayersNow();
    gameBoard = newBoard;
}

// Outside any player's signal (the board or the controller is going away).
void GameController::deletePlayersNow()
{
    stopGame();
    for (Player **player : {&player1, &player2}) {
        delete *player;
        *player = nullptr;
    }
}

void GameController::setDialogs(Dialogs *dialogs)
{
    dialogSeam = dialogs;
}

int GameController::turn() const
{
    return inProgress() ? turnSide : noGame;
}

int GameController::humanSide() const
{
    const bool human = inProgress() && player1 && player2
                       && chosen.side(turnSide).kind == PlayerKind::Human;
    return human ? turnSide : noGame;
}

quint16 GameController::serverPort() const
{
    return server.serverPort();
}

bool GameController::inProgress() const
{
    return turnSide != noGame && !endDecided;
}

Player *GameController::currentPlayer() const
{
    return turnSide == red ? player1 : player2;
}

bool GameController::canMove(int side) const
{
    MoveList list;
    gameBoard->generateMoves(side, list);
    return list.count > 0;
}

void GameController::startGame(const GameOptions &newOptions)
{
    Q_ASSERT(gameBoard);
    turnSide = noGame;
    server.close();
    ++gameNumber;
    endDecided = false;
    plies = 0;
    pliesKnown[red] = pliesKnown[black] = -1;
    destroyPlayers();
    chosen = newOptions;
    const bool loaded = loadStartingBoard();
    emit gameCleared();
    turnSide = chosen.firstSide;
    updateHumanSide();
    if (!loaded || endsAtStart())
        return;
    if (chosen.red.kind == PlayerKind::Socket || chosen.black.kind == PlayerKind::Socket) {
        if (!openServer())
            return;
    }
    createPlayer1();
}

// A custom board file is read again at every start; one that can no longer be read
// is reported and no game starts on it.
bool GameController::loadStartingBoard()
{
    QString error;
    if (!chosen.customBoard || chosen.boardFile.isEmpty()) {
        gameBoard->resetToInitial();
        return true;
    }
    if (gameBoard->loadFromFile(chosen.boardFile, &error))
        return true;
    endDecided = true;
    const QString text = QStringLiteral("Impossible de lire le plateau %1 : %2").arg(chosen.boardFile, error);
    emit statusChanged(text);
    emit gameDecided(Ending::CannotStart, noGame, noGame);
    if (dialogSeam)
        dialogSeam->warning(nullptr, QStringLiteral("Chargement d'un plateau"), text);
    return false;
}

// A board on which a side already stands on its goal row is that side's win at
// once (both: a draw); nobody could move on it anyway.
bool GameController::endsAtStart()
{
    const bool redWon = gameBoard->hasWon(red);
    const bool blackWon = gameBoard->hasWon(black);
    if (!redWon && !blackWon)
        return false;
    emit positionChanged(redWon && !blackWon ? red : black);
    if (redWon && blackWon)
        finishGame(drawText, Ending::Draw);
    else
        finishGame(winText(redWon ? red : black), Ending::GoalRow, redWon ? red : black, redWon ? black : red);
    return true;
}

// The players' signals are cut first and the objects deleted once control is back
// in the event loop: a player may be in the middle of emitting the signal that led
// here, and a network player closing its connection must not cancel the new game.
void GameController::destroyPlayers()
{
    stopSearchesAndClocks();
    for (Player **player : {&player1, &player2}) {
        if (*player) {
            disconnect(*player, nullptr, this, nullptr);
            (*player)->deleteLater();
            *player = nullptr;
        }
    }
}

bool GameController::openServer()
{
    if (server.listen(QHostAddress::Any, settings.port))
        return true;
    finishGame(QStringLiteral("Impossible d'attendre les joueurs réseau sur le port %1 : %2")
                   .arg(settings.port)
                   .arg(server.errorString()),
               Ending::CannotStart);
    return false;
}

void GameController::createPlayer1()
{
    if (createLocalPlayer(red))
        createPlayer2();
}

void GameController::createPlayer2()
{
    if (createLocalPlayer(black))
        beginGame();
}

// Creates the player of a side played here; a side played by a remote program
// waits for its connection instead (false).
bool GameController::createLocalPlayer(int side)
{
    if (chosen.side(side).kind == PlayerKind::Socket) {
        emit statusChanged(side == red ? QStringLiteral("Attente de connection du joueur 1 (rouge)...")
                              : QStringLiteral("Attente de connection du joueur 2 (noir)..."));
        return false;
    }
    (side == red ? player1 : player2) = createPlayer(side);
    return true;
}

Player *GameController::createPlayer(int side)
{
    const GameOptions::Side &how = chosen.side(side);
    if (how.kind == PlayerKind::Human)
        return new HumanPlayer(gameBoard, side);
    // Each side draws from its own sequence, so that the two never search with one seed.
    const qint64 seed = chosen.seed < 0 ? -1 : chosen.seed + side * seedStride;
    auto *cpu = new CPUPlayer(gameBoard, side, how.timeLimit(), how.level, settings.computerPauseMs, seed);
    connect(cpu, &CPUPlayer::MoveReady, this, &GameController::MoveReady);
    return cpu;
}

Player *GameController::createSocketPlayer(int side, QTcpSocket *socket)
{
    auto *player = new SocketPlayer(gameBoard, side, chosen.side(side).timeLimit(), socket);
    // Black's program has just been sent the position.
    if (side == black)
        pliesKnown[black] = plies;
    connect(player, &SocketPlayer::MoveReceived, this, &GameController::MoveReady);
    connect(player, &SocketPlayer::DisconnectedSocket, this, &GameController::DisconnectedSocket);
    connect(player, &SocketPlayer::TimeElapsed, this, &GameController::TimeElapsed);
    connect(player, &SocketPlayer::LineRefused, this, &GameController::LineRefused);
    emit playerConnected(side);
    return player;
}

// Both players exist: the first side is told that the game begins, unless it cannot move.
void GameController::beginGame()
{
    if (!canMove(turnSide)) {
        askNextPlayer();
        return;
    }
    pliesKnown[turnSide] = plies;
    currentPlayer()->StartGame();
    updateHumanSide();
    emit statusChanged(turnSide == red ? QStringLiteral("En attente du coup rouge...")
                                       : QStringLiteral("En attente du coup noir..."));
}

void GameController::ConnectedSocket()
{
    while (QTcpSocket *socket = server.nextPendingConnection()) {
        if (inProgress() && !player1) {
            player1 = createSocketPlayer(red, socket);
            createPlayer2();
        } else if (inProgress() && !player2) {
            player2 = createSocketPlayer(black, socket);
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
    playMove(*currentPlayer()->TakeMove());
}

void GameController::playMove(const Move &proposed)
{
    if (!inProgress() || !player1 || !player2)
        return;
    const int side = turnSide;
    if (!gameBoard->isLegal(proposed, side)) {
        qWarning("Refused a move that is not legal for the side to move: %s",
                 qPrintable(proposed.toText(gameBoard->columns, gameBoard->rows)));
        return;
    }
    Move move = proposed;
    gameBoard->applyMove(move);
    pliesKnown[side] = ++plies;
    emit movePlayed(move, side);
    if (gameBoard->hasWon(side)) {
        emit positionChanged(side);
        sendFinalMove(move);
        finishGame(winText(side), Ending::GoalRow, side, otherSide(side));
    } else if (gameBoard->isDraw(side)) {
        emit positionChanged(side);
        finishGame(drawText, Ending::Draw);
    } else {
        turnSide = otherSide(side);
        emit positionChanged(turnSide);
        askNextPlayer();
    }
}

void GameController::sendFinalMove(const Move &move)
{
    for (Player *player : {player1, player2})
        if (auto *remote = qobject_cast<SocketPlayer *>(player))
            remote->SendFinalMove(move);
}

// A side without a legal move passes; when neither side can move the game is drawn.
void GameController::askNextPlayer()
{
    QString status = turnSide == red ? QStringLiteral("En attente du coup rouge")
                                     : QStringLiteral("En attente du coup noir");
    if (!canMove(turnSide)) {
        if (!canMove(otherSide(turnSide))) {
            finishGame(drawText, Ending::Draw);
            return;
        }
        status = turnSide == red ? QStringLiteral("Le joueur rouge ne peut pas jouer, il passe son tour.")
                                 : QStringLiteral("Le joueur noir ne peut pas jouer, il passe son tour.");
        turnSide = otherSide(turnSide);
        emit positionChanged(turnSide);
    }
    const bool sawOneReply = plies == pliesKnown[turnSide] + 1;
    pliesKnown[turnSide] = plies;
    if (sawOneReply)
        currentPlayer()->RequestMove();
    else
        currentPlayer()->RequestMoveAfterPass();
    updateHumanSide();
    emit statusChanged(status);
}

void GameController::DisconnectedSocket()
{
    const auto *player = dynamic_cast<Player *>(sender());
    if (inProgress() && player)
        finishGame(QStringLiteral("Connection réseau a été perdue, la partie est annulée."), Ending::Disconnection,
                   noGame, player->side());
}

void GameController::TimeElapsed()
{
    if (!inProgress())
        return;
    finishGame(turnSide == red
                   ? QStringLiteral("Le joueur rouge a pris trop de temps.  Le joueur noir est le gagnant.")
                   : QStringLiteral("Le joueur noir a pris trop de temps.  Le joueur rouge est le gagnant."),
               Ending::TimeOut, otherSide(turnSide), turnSide);
}

void GameController::LineRefused()
{
    if (const auto *player = dynamic_cast<Player *>(sender()))
        emit lineRefused(player->side());
}

// The end is decided, and the status says so, before the box opens; nothing that
// arrives while it is open can start a second end.
void GameController::finishGame(const QString &text, Ending how, int winner, int loser)
{
    endDecided = true;
    stopSearchesAndClocks();
    server.close();
    updateHumanSide();
    emit statusChanged(text);
    emit gameDecided(how, winner, loser);
    emit gameEnded(text);
    const int game = gameNumber;
    if (dialogSeam)
        dialogSeam->information(gameOverTitle, text);
    if (game == gameNumber)
        turnSide = noGame;
}

void GameController::stopGame()
{
    turnSide = noGame;
    server.close();
    stopSearchesAndClocks();
    updateHumanSide();
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

void GameController::updateHumanSide()
{
    const int side = humanSide();
    if (side == shownHumanSide)
        return;
    shownHumanSide = side;
    emit humanSideChanged(side);
}
