// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameController.h"

#include "Board.h"
#include "CPUPlayer.h"
#include "Dialogs.h"
#include "HumanPlayer.h"
#include "SocketPlayer.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QTcpSocket>

#include <algorithm>

namespace {
// Texts shown as the game ends; functions, so that they are looked up in the
// language installed, not before it.
QString gameOverTitle()
{
    return QCoreApplication::translate("GameController", "Partie terminée");
}

int otherSide(int side)
{
    return side == GameController::red ? GameController::black : GameController::red;
}

QString winText(int side)
{
    return side == GameController::red ? QCoreApplication::translate("GameController", "Joueur 1 gagne la partie")
                                       : QCoreApplication::translate("GameController", "Joueur 2 gagne la partie");
}

QString drawText()
{
    return QCoreApplication::translate("GameController", "Match nulle!");
}

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

bool GameController::isPlayedByPerson(int side) const
{
    return chosen.side(side).kind == PlayerKind::Human;
}

bool GameController::hasRemoteSide() const
{
    return chosen.red.kind == PlayerKind::Socket || chosen.black.kind == PlayerKind::Socket;
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
    played.clear();
    undone.clear();
    destroyPlayers();
    chosen = newOptions;
    int firstSide = chosen.firstSide;
    const bool loaded = loadStartingBoard(firstSide);
    emit gameCleared();
    turnSide = firstSide;
    if (turnSide != red)
        emit positionChanged(turnSide);
    updateHumanSide();
    emit historyChanged();
    if (!loaded || endsAtStart())
        return;
    if (hasRemoteSide()) {
        if (!openServer())
            return;
    }
    createPlayer1();
}

// A custom board file is read again at every start; one that can no longer be read
// is reported and no game starts on it.
bool GameController::loadStartingBoard(int &firstSide)
{
    startRecord = GameRecord::fromInitialPosition();
    QString error;
    if (!chosen.position.isEmpty()) {
        startRecord.setTag(QStringLiteral("Start"), chosen.position);
        if (startRecord.start(*gameBoard, firstSide))
            return true;
        error = tr("position illisible");
    } else if (!chosen.customBoard || chosen.boardFile.isEmpty()) {
        gameBoard->resetToInitial();
        if (firstSide != red)
            startRecord.setStart(*gameBoard, firstSide);
        return true;
    } else if (gameBoard->loadFromFile(chosen.boardFile, &error)) {
        startRecord.setStart(*gameBoard, firstSide);
        return true;
    }
    endDecided = true;
    emit statusChanged(error);
    emit gameDecided(Ending::CannotStart, noGame, noGame);
    if (dialogSeam)
        dialogSeam->warning(nullptr, tr("Chargement d'un plateau"), error);
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
        finishGame(drawText(), Ending::Draw);
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
    finishGame(tr("Impossible d'attendre les joueurs réseau sur le port %1 : %2")
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
        emit statusChanged(side == red ? tr("Attente de connection du joueur 1 (rouge)...")
                                       : tr("Attente de connection du joueur 2 (noir)..."));
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
    auto *cpu = new CPUPlayer(gameBoard, side, how.timeLimit(), how.level, settings.computerPauseMs, seed, how.threads);
    connect(cpu, &CPUPlayer::MoveReady, this, &GameController::MoveReady);
    connect(cpu, &CPUPlayer::DepthReached, this, &GameController::DepthReached);
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
    emit statusChanged(turnSide == red ? tr("En attente du coup rouge...") : tr("En attente du coup noir..."));
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
    // Playing the move that redo() would replay keeps the rest of the undone line.
    if (!undone.empty() && undone.back().move == proposed)
        undone.pop_back();
    else
        undone.clear();
    recordMove(proposed, side);
    concludeMove(side);
    emit historyChanged();
}

void GameController::recordMove(Move move, int side)
{
    gameBoard->applyMove(move);
    pliesKnown[side] = ++plies;
    played.push_back({move, side});
    emit movePlayed(move, side);
}

// After a move of side: the game ends, or the turn passes and the next side is asked.
void GameController::concludeMove(int side)
{
    if (gameBoard->hasWon(side)) {
        emit positionChanged(side);
        sendFinalMove(played.back().move);
        finishGame(winText(side), Ending::GoalRow, side, otherSide(side));
    } else if (gameBoard->isDraw(side)) {
        emit positionChanged(side);
        finishGame(drawText(), Ending::Draw);
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
    QString status = waitingText();
    if (!canMove(turnSide)) {
        if (!canMove(otherSide(turnSide))) {
            finishGame(drawText(), Ending::Draw);
            return;
        }
        played.push_back({GameRecord::pass, turnSide});
        status = turnSide == red ? tr("Le joueur rouge ne peut pas jouer, il passe son tour.")
                                 : tr("Le joueur noir ne peut pas jouer, il passe son tour.");
        turnSide = otherSide(turnSide);
        emit positionChanged(turnSide);
    }
    const bool sawOneReply = plies == pliesKnown[turnSide] + 1;
    pliesKnown[turnSide] = plies;
    if (redoing && !isPlayedByPerson(turnSide) && !undone.empty()) {
        updateHumanSide();
        return;
    }
    if (sawOneReply)
        currentPlayer()->RequestMove();
    else
        currentPlayer()->RequestMoveAfterPass();
    updateHumanSide();
    emit statusChanged(status);
}

QString GameController::waitingText() const
{
    return turnSide == red ? tr("En attente du coup rouge") : tr("En attente du coup noir");
}

// Nothing to take back while the computer searches (its move would land on another
// position) nor against a remote program, which cannot be told.
bool GameController::canUndo() const
{
    if (!player1 || !player2 || hasRemoteSide())
        return false;
    if (inProgress() && !isPlayedByPerson(turnSide))
        return false;
    return std::any_of(played.begin(), played.end(), [this](const Ply &ply) {
        return isPlayedByPerson(ply.side) && ply.move != GameRecord::pass;
    });
}

bool GameController::canRedo() const
{
    return !undone.empty() && inProgress() && player1 && player2 && isPlayedByPerson(turnSide);
}

// Takes back turns up to the last move of a person, who is then to move; a game that
// had ended goes on.
void GameController::undo()
{
    if (!canUndo())
        return;
    Ply last;
    do {
        last = played.back();
        played.pop_back();
        if (last.move != GameRecord::pass) {
            gameBoard->undoMove(last.move);
            --plies;
            undone.push_back(last);
        }
    } while (!isPlayedByPerson(last.side) || last.move == GameRecord::pass);
    turnSide = last.side;
    endDecided = false;
    startRecord.setResult(GameRecord::unfinished);
    startRecord.setTag(QStringLiteral("Termination"), GameRecord::byNothingYet);
    pliesKnown[red] = pliesKnown[black] = plies;
    emit movesTakenBack(plies);
    emit positionChanged(turnSide);
    updateHumanSide();
    emit statusChanged(waitingText());
    emit historyChanged();
}

// Plays again the person's move taken back last, and the computer's replies that
// followed it; the computer searches only once the undone line is used up.
void GameController::redo()
{
    if (!canRedo())
        return;
    redoing = true;
    do
        playMove(undone.back().move);
    while (inProgress() && !undone.empty() && !isPlayedByPerson(turnSide));
    redoing = false;
}

GameRecord GameController::record() const
{
    GameRecord game = startRecord;
    for (const Ply &ply : played)
        game.moves.push_back(ply.move);
    return game;
}

// Only the side to move's reports count; its last one comes as its search ends,
// just before its move.
void GameController::DepthReached(int depth, int score)
{
    if (inProgress() && sender() == currentPlayer())
        emit computerDepth(depth, score);
}

void GameController::DisconnectedSocket()
{
    const auto *player = dynamic_cast<Player *>(sender());
    if (inProgress() && player)
        finishGame(tr("Connection réseau a été perdue, la partie est annulée."), Ending::Disconnection,
                   noGame, player->side());
}

void GameController::TimeElapsed()
{
    if (!inProgress())
        return;
    finishGame(turnSide == red
                   ? tr("Le joueur rouge a pris trop de temps.  Le joueur noir est le gagnant.")
                   : tr("Le joueur noir a pris trop de temps.  Le joueur rouge est le gagnant."),
               Ending::TimeOut, otherSide(turnSide), turnSide);
}

void GameController::LineRefused()
{
    if (const auto *player = dynamic_cast<Player *>(sender()))
        emit lineRefused(player->side());
}

// The record's word for how a game ended.
QString GameController::terminationOf(Ending how)
{
    switch (how) {
    case Ending::GoalRow:
        return GameRecord::byGoalRow;
    case Ending::Draw:
        return GameRecord::byNoMoves;
    case Ending::TimeOut:
        return GameRecord::byTimeOut;
    case Ending::Disconnection:
        return GameRecord::byDisconnection;
    case Ending::CannotStart:
        break;
    }
    return GameRecord::byNothingYet;
}

// The end is decided, and the status says so, before the box opens; nothing that
// arrives while it is open can start a second end.
void GameController::finishGame(const QString &text, Ending how, int winner, int loser)
{
    endDecided = true;
    startRecord.setResult(winner == red ? GameRecord::redWins
                          : winner == black ? GameRecord::blackWins
                          : how == Ending::Draw ? GameRecord::draw : GameRecord::unfinished);
    startRecord.setTag(QStringLiteral("Termination"), terminationOf(how));
    stopSearchesAndClocks();
    server.close();
    updateHumanSide();
    emit statusChanged(text);
    emit gameDecided(how, winner, loser);
    emit gameEnded(text);
    const int game = gameNumber;
    if (dialogSeam)
        dialogSeam->information(gameOverTitle(), text);
    if (game == gameNumber)
        turnSide = noGame;
}

void GameController::stopGame()
{
    turnSide = noGame;
    played.clear();
    undone.clear();
    emit historyChanged();
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

// The computer's turn begins and ends where a person's does.
void GameController::updateHumanSide()
{
    updateThinking();
    const int side = humanSide();
    if (side == shownHumanSide)
        return;
    shownHumanSide = side;
    emit humanSideChanged(side);
}

bool GameController::computerThinking() const
{
    auto *cpu = inProgress() && player1 && player2 ? qobject_cast<CPUPlayer *>(currentPlayer()) : nullptr;
    return cpu && cpu->isRunning();
}

void GameController::playNow()
{
    if (computerThinking())
        qobject_cast<CPUPlayer *>(currentPlayer())->playNow();
}

void GameController::updateThinking()
{
    const bool thinking = computerThinking();
    if (thinking == shownThinking)
        return;
    shownThinking = thinking;
    emit thinkingChanged(thinking);
}
