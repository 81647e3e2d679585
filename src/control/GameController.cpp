// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameController.h"

#include "CPUPlayer.h"
#include "HostPlayer.h"
#include "HumanPlayer.h"
#include "SocketPlayer.h"

#include <QCoreApplication>
#include <QNetworkInterface>
#include <QTcpSocket>

namespace {
// Texts shown as the game ends; functions, so that they are looked up in the
// language installed, not before it.
QString winText(Side side)
{
    return side == Side::Red ? QCoreApplication::translate("GameController", "Joueur 1 gagne la partie")
                             : QCoreApplication::translate("GameController", "Joueur 2 gagne la partie");
}

QString drawText()
{
    return QCoreApplication::translate("GameController", "Match nulle!");
}

// Far apart seeds for the two sides' searches of one game.
constexpr qint64 seedStride = 1000003;

// The moves (passes not counted) among the first plies of a game.
int movesAmong(const std::vector<GameModel::Ply> &plies, int count)
{
    int moves = 0;
    for (int i = 0; i < count; ++i)
        moves += plies[size_t(i)].isPass() ? 0 : 1;
    return moves;
}
} // namespace

GameController::GameController(QObject *parent)
    : GameController(Settings(), parent)
{
}

GameController::GameController(const Settings &settings, QObject *parent)
    : QObject(parent), settings(settings)
{
    qRegisterMetaType<std::optional<Side>>();
    connect(&server, &QTcpServer::newConnection, this, &GameController::onConnection);
}

GameController::~GameController()
{
    stopSeats();
}

GameController *GameController::instance()
{
    static GameController *controller = new GameController;
    return controller;
}

std::optional<Side> GameController::turn() const
{
    return inProgress() ? std::optional<Side>(game.sideToMove()) : std::nullopt;
}

std::optional<Side> GameController::humanSide() const
{
    const bool human = inProgress() && seated() && isPerson(game.sideToMove());
    return human ? turn() : std::nullopt;
}

quint16 GameController::serverPort() const
{
    return server.serverPort();
}

bool GameController::hasRemoteSide() const
{
    return hasSide(PlayerKind::Socket) || hasSide(PlayerKind::Host);
}

bool GameController::hasSide(PlayerKind kind) const
{
    return chosen.red.kind == kind || chosen.black.kind == kind;
}

void GameController::setListening(const QHostAddress &address, quint16 port)
{
    settings.address = address;
    settings.port = port;
}

void GameController::joinGame(const QString &host, quint16 port)
{
    stopGame();
    joining = new HostConnection(this);
    joining->setSilenceLimit(settings.hostSilenceMs);
    connect(joining, &HostConnection::sideGiven, this, &GameController::onSideGiven);
    connect(joining, &HostConnection::failed, this, &GameController::onJoinFailed);
    connect(joining, &HostConnection::connected, this,
            [this] { emit statusChanged(tr("Connecté : en attente de la partie de l'hôte...")); });
    emit statusChanged(tr("Connexion à %1, port %2...").arg(host).arg(port));
    joining->open(host, port, settings.joinTimeoutMs);
}

// The host's first board: the game begins there, red to move (black's first board
// comes before red's first move, or instead of it when red passes).
void GameController::onSideGiven(Side side, const ZarvikBoard &position)
{
    GameOptions options;
    (side == Side::Red ? options.black : options.red).kind = PlayerKind::Host;
    // The host keeps the time; this window only shows how long a move has taken.
    options.red.timer = options.black.timer = false;
    game.reset(position, Side::Red);
    seats[indexOf(side)] = new HumanPlayer(side, Player::untimed, this);
    seats[indexOf(~side)] = new HostPlayer(~side, joining, this);
    for (Player *each : seats)
        connectSeat(each);
    emit sideJoined(side);
    launch(options);
}

// Only what happens before the game begins: its seat reports the rest.
void GameController::onJoinFailed(HostConnection::Problem problem, const QString &detail)
{
    if (seated())
        return;
    const QString text = problem == HostConnection::Problem::cannotConnect
                             ? tr("Impossible de joindre l'hôte : %1").arg(detail)
                         : problem == HostConnection::Problem::silent
                             ? tr("L'hôte n'a pas commencé de partie.")
                             : tr("L'hôte n'a pas donné de partie : a-t-il un camp « Réseau » qui attend ?");
    emit statusChanged(text);
    emit startFailed(tr("Rejoindre une partie"), text);
}

void GameController::dropConnection()
{
    if (!joining)
        return;
    joining->disconnect(this);
    joining->deleteLater();
    joining = nullptr;
}

void GameController::startGame(const GameOptions &options)
{
    stopGame();
    chosen = options;
    ZarvikBoard start;
    Side first = chosen.firstSide;
    if (!loadStart(start, first))
        return;
    game.reset(start, first);
    launch(options);
}

void GameController::continueGame(const GameOptions &options)
{
    stopGame();
    chosen = options;
    game.truncate();
    launch(options);
}

// A custom board file is read again at every start; one that can no longer be read
// is reported and no game starts on it.
bool GameController::loadStart(ZarvikBoard &board, Side &side)
{
    QString error;
    if (!chosen.position.isEmpty()) {
        GameRecord position;
        position.setTag(QStringLiteral("Start"), chosen.position);
        if (position.start(board, side))
            return true;
        error = tr("position illisible");
    } else if (!chosen.customBoard || chosen.boardFile.isEmpty() || board.loadFromFile(chosen.boardFile, &error)) {
        return true;
    }
    emit statusChanged(error);
    emit gameDecided(Ending::CannotStart, std::nullopt, std::nullopt);
    emit startFailed(tr("Chargement d'un plateau"), error);
    return false;
}

void GameController::launch(const GameOptions &options)
{
    chosen = options;
    nameSeats();
    running = true;
    deadline = QDeadlineTimer(QDeadlineTimer::Forever);
    pliesKnown[0] = pliesKnown[1] = -1;
    emit historyChanged();
    updateHumanSide();
    if (endsAtStart())
        return;
    if (hasSide(PlayerKind::Socket) && !openServer())
        return;
    seatNext();
}

// A board on which a side already stands on its goal row is that side's win at
// once (both: a draw); nobody could move on it anyway.
bool GameController::endsAtStart()
{
    const bool redWon = game.position().hasWon(Side::Red);
    const bool blackWon = game.position().hasWon(Side::Black);
    if (!redWon && !blackWon)
        return false;
    if (redWon && blackWon) {
        finishGame(drawText(), Ending::Draw);
        return true;
    }
    const Side winner = redWon ? Side::Red : Side::Black;
    finishGame(winText(winner), Ending::GoalRow, winner, ~winner);
    return true;
}

bool GameController::openServer()
{
    if (server.listen(settings.address, settings.port))
        return true;
    const QString text = tr("Impossible d'attendre les joueurs réseau sur le port %1 : %2")
                             .arg(settings.port)
                             .arg(server.errorString());
    finishGame(text, Ending::CannotStart);
    emit startFailed(tr("Partie en réseau"), text);
    return false;
}

// Seats the sides played here in order, red first; a side played by a remote
// program waits for its connection, and the game begins once both are seated.
void GameController::seatNext()
{
    for (Side side : bothSides) {
        if (seats[indexOf(side)])
            continue;
        if (chosen.seat(side).kind == PlayerKind::Socket) {
            emit statusChanged(side == Side::Red ? tr("Attente de connection du joueur 1 (rouge)...")
                                                 : tr("Attente de connection du joueur 2 (noir)..."));
            emit awaitingFriend(whereToConnect());
            return;
        }
        seats[indexOf(side)] = createSeat(side);
        connectSeat(seat(side));
    }
    emit awaitingFriend(QString());
    const Side first = game.sideToMove();
    if (!game.position().canMove(first)) {
        askSeat();
        return;
    }
    pliesKnown[indexOf(first)] = movesAmong(game.plies(), game.cursor());
    askToPlay(first, {game.position(), GameRecord::pass, false});
    updateHumanSide();
    emit statusChanged(joined()            ? waitingText()
                       : first == Side::Red ? tr("En attente du coup rouge...")
                                            : tr("En attente du coup noir..."));
}

Player *GameController::createSeat(Side side)
{
    const SeatOptions &how = chosen.seat(side);
    if (how.kind == PlayerKind::Human)
        return new HumanPlayer(side, how.timeLimit(), this);
    CPUPlayer::Options cpu;
    cpu.timeLimit = how.timeLimit();
    cpu.level = how.level;
    cpu.pauseMs = settings.computerPauseMs;
    // Each side draws from its own sequence, so that the two never search with one seed.
    cpu.seed = chosen.seed < 0 ? -1 : chosen.seed + indexOf(side) * seedStride;
    cpu.threads = how.threads;
    return new CPUPlayer(side, cpu, this);
}

void GameController::connectSeat(Player *player)
{
    connect(player, &Player::moved, this, &GameController::onMoved);
    connect(player, &Player::failed, this, &GameController::onFailed);
    connect(player, &Player::depthReached, this, &GameController::onDepth);
    connect(player, &Player::lineRefused, this, [this, player] { emit lineRefused(player->side()); });
}

void GameController::onConnection()
{
    while (QTcpSocket *socket = server.nextPendingConnection()) {
        const bool redWaits = !seats[0] && chosen.red.kind == PlayerKind::Socket;
        const bool blackWaits = seats[0] && !seats[1];
        if (!inProgress() || (!redWaits && !blackWaits)) {
            socket->close();
            socket->deleteLater();
            continue;
        }
        const Side side = redWaits ? Side::Red : Side::Black;
        seats[indexOf(side)] = new SocketPlayer(side, chosen.seat(side).timeLimit(), socket, game.position(), this);
        // Black's program has just been sent the position.
        if (side == Side::Black)
            pliesKnown[1] = movesAmong(game.plies(), game.cursor());
        connectSeat(seat(side));
        emit playerConnected(side);
        seatNext();
    }
}

void GameController::playMove(const Move &move)
{
    if (!humanSide())
        return;
    if (!game.position().isLegal(move, game.sideToMove())) {
        qWarning("Refused a move that is not legal for the side to move: %s",
                 qPrintable(move.toText(ZarvikBoard::size, ZarvikBoard::size)));
        return;
    }
    currentSeat()->enter(move);
}

// Only the answer of the seat to move counts, once.
void GameController::onMoved(const Move &move)
{
    if (!inProgress() || !seated() || sender() != currentSeat())
        return;
    const Side side = game.sideToMove();
    if (!game.play(move)) {
        qWarning("Refused a move that is not legal for the side to move: %s",
                 qPrintable(move.toText(ZarvikBoard::size, ZarvikBoard::size)));
        return;
    }
    pliesKnown[indexOf(side)] = movesAmong(game.plies(), game.cursor());
    if (move != GameRecord::pass)
        seat(~side)->opponentMoved(move);
    conclude();
    emit historyChanged();
}

// After a ply: the game ends, or the next side is asked.
void GameController::conclude()
{
    const GameModel::Ply &last = game.plies()[size_t(game.cursor() - 1)];
    if (!last.isPass() && game.position().hasWon(last.side)) {
        for (Player *each : seats)
            each->gameWon(last.move);
        finishGame(winText(last.side), Ending::GoalRow, last.side, ~last.side);
        return;
    }
    askSeat();
}

// A side without a legal move passes; when neither side can move the game is drawn.
void GameController::askSeat()
{
    QString status = waitingText();
    Side side = game.sideToMove();
    if (!game.position().canMove(side)) {
        if (!game.position().canMove(~side)) {
            finishGame(drawText(), Ending::Draw);
            return;
        }
        game.play(GameRecord::pass);
        status = side == Side::Red ? tr("Le joueur rouge ne peut pas jouer, il passe son tour.")
                                   : tr("Le joueur noir ne peut pas jouer, il passe son tour.");
        side = ~side;
    }
    const int moves = movesAmong(game.plies(), game.cursor());
    const bool sawPrevious = moves == pliesKnown[indexOf(side)] + 1;
    pliesKnown[indexOf(side)] = moves;
    askToPlay(side, {game.position(), game.position().lastMove, sawPrevious});
    updateHumanSide();
    emit statusChanged(status);
}

// The seat's clock and the one shown start together.
void GameController::askToPlay(Side side, const Player::Turn &turn)
{
    const SeatOptions &how = chosen.seat(side);
    deadline = how.timer ? QDeadlineTimer(qint64(qMax(0, how.seconds)) * 1000) : QDeadlineTimer(QDeadlineTimer::Forever);
    seat(side)->play(turn);
}

// Who plays each side, in the record: "Humain", "Ordinateur niveau 3", "Réseau". The
// words are the record's, the same in every language of the window.
void GameController::nameSeats()
{
    for (Side side : bothSides) {
        const SeatOptions &how = chosen.seat(side);
        const QString name = how.kind == PlayerKind::Human ? QStringLiteral("Humain")
                             : how.kind == PlayerKind::Cpu ? QStringLiteral("Ordinateur niveau %1").arg(how.level)
                                                           : QStringLiteral("Réseau");
        game.setTag(side == Side::Red ? QStringLiteral("Red") : QStringLiteral("Black"), name);
    }
}

void GameController::resign()
{
    const std::optional<Side> side = humanSide();
    if (!side)
        return;
    finishGame(side == Side::Red ? tr("Le joueur rouge abandonne.  Le joueur noir est le gagnant.")
                                 : tr("Le joueur noir abandonne.  Le joueur rouge est le gagnant."),
               Ending::Resignation, ~*side, side);
}

// In a joined game it also tells which side is the person's.
QString GameController::waitingText() const
{
    const bool red = game.sideToMove() == Side::Red;
    if (joined() && isPerson(game.sideToMove()))
        return red ? tr("À vous de jouer (rouge)") : tr("À vous de jouer (noir)");
    if (joined())
        return red ? tr("En attente du coup de l'hôte (rouge)") : tr("En attente du coup de l'hôte (noir)");
    return red ? tr("En attente du coup rouge") : tr("En attente du coup noir");
}

// The machine's addresses that a friend can reach, and the port.
QString GameController::whereToConnect() const
{
    QStringList addresses;
    for (const QHostAddress &address : QNetworkInterface::allAddresses())
        if (!address.isLoopback() && !address.isLinkLocal() && settings.address != QHostAddress::LocalHost)
            addresses << address.toString();
    if (addresses.isEmpty())
        return tr("Cet ordinateur seulement : 127.0.0.1, port %1").arg(serverPort());
    return tr("Pour un ami : %1, port %2").arg(addresses.join(tr(" ou ")), QString::number(serverPort()));
}

// Nothing to take back while the computer searches (its move would land on another
// position) nor against a remote program, which cannot be told.
bool GameController::canUndo() const
{
    if (!seated() || hasRemoteSide() || (inProgress() && !isPerson(game.sideToMove())))
        return false;
    for (int i = game.cursor() - 1; i >= 0; --i) {
        const GameModel::Ply &ply = game.plies()[size_t(i)];
        if (isPerson(ply.side) && !ply.isPass())
            return true;
    }
    return false;
}

bool GameController::canRedo() const
{
    return inProgress() && seated() && !game.atEnd() && isPerson(game.sideToMove());
}

// Moves the cursor back to the last move of a person, who is then to move; a game
// that had ended goes on.
void GameController::undo()
{
    if (!canUndo())
        return;
    int at = game.cursor() - 1;
    while (!isPerson(game.plies()[size_t(at)].side) || game.plies()[size_t(at)].isPass())
        --at;
    stopSeats();
    game.setCursor(at);
    game.setResult(GameRecord::unfinished, GameRecord::byNothingYet);
    running = true;
    pliesKnown[0] = pliesKnown[1] = movesAmong(game.plies(), at);
    askToPlay(game.sideToMove(), {game.position(), game.position().lastMove, true});
    updateHumanSide();
    emit statusChanged(waitingText());
    emit historyChanged();
}

// Plays again the person's move taken back last, and the computer's replies that
// followed it; the computer searches only once the plies taken back are used up.
void GameController::redo()
{
    if (!canRedo())
        return;
    stopSeats();
    do {
        game.setCursor(game.cursor() + 1);
        const GameModel::Ply &last = game.plies()[size_t(game.cursor() - 1)];
        pliesKnown[indexOf(last.side)] = movesAmong(game.plies(), game.cursor());
        if (!last.isPass() && game.position().hasWon(last.side)) {
            conclude();
            emit historyChanged();
            return;
        }
    } while (!game.atEnd() && !isPerson(game.sideToMove()));
    askSeat();
    emit historyChanged();
}

// Only the side to move's reports count; its last one comes as its search ends,
// just before its move.
void GameController::onDepth(int depth, int score)
{
    if (inProgress() && sender() == currentSeat())
        emit computerDepth(depth, score);
}

void GameController::onFailed(Player::Failure how)
{
    const auto *player = qobject_cast<Player *>(sender());
    if (!inProgress() || !player)
        return;
    const Side side = player->side();
    if (how == Player::Failure::TimeOut)
        finishGame(failureText(how, side), Ending::TimeOut, ~side, side);
    else
        finishGame(failureText(how, side), Ending::Disconnection, std::nullopt, side);
}

// Every failure but a time-out cancels the game: nobody won it.
QString GameController::failureText(Player::Failure how, Side side) const
{
    switch (how) {
    case Player::Failure::TimeOut:
        return side == Side::Red ? tr("Le joueur rouge a pris trop de temps.  Le joueur noir est le gagnant.")
                                 : tr("Le joueur noir a pris trop de temps.  Le joueur rouge est le gagnant.");
    case Player::Failure::Disconnection:
        break;
    case Player::Failure::Refusal:
        return tr("L'hôte a refusé votre coup (arrivé trop tard pour son horloge ?) : la partie est arrêtée.");
    case Player::Failure::Garbage:
        return tr("L'hôte a envoyé un message incompréhensible : la partie est arrêtée.");
    case Player::Failure::Silence:
        return tr("L'hôte ne répond plus depuis %1 secondes : la partie est arrêtée.").arg(settings.hostSilenceMs / 1000);
    }
    return tr("Connection réseau a été perdue, la partie est annulée.");
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
    case Ending::Resignation:
        return GameRecord::byResignation;
    case Ending::Disconnection:
        return GameRecord::byDisconnection;
    case Ending::CannotStart:
        break;
    }
    return GameRecord::byNothingYet;
}

void GameController::finishGame(const QString &text, Ending how, std::optional<Side> winner,
                                std::optional<Side> loser)
{
    running = false;
    game.setResult(winner == Side::Red     ? GameRecord::redWins
                   : winner == Side::Black ? GameRecord::blackWins
                   : how == Ending::Draw   ? GameRecord::draw
                                           : GameRecord::unfinished,
                   terminationOf(how));
    stopSeats();
    server.close();
    emit awaitingFriend(QString());
    // The host sends the winning move and closes; after anything else nothing more comes.
    if (joining && how != Ending::GoalRow)
        joining->close();
    updateHumanSide();
    emit statusChanged(text);
    emit gameDecided(how, winner, loser);
    emit gameEnded(text);
    emit historyChanged();
}

void GameController::stopGame()
{
    running = false;
    server.close();
    emit awaitingFriend(QString());
    clearSeats();
    dropConnection();
    updateHumanSide();
    emit historyChanged();
}

// The seats' signals are cut first and the objects deleted once control is back in
// the event loop: a seat may be in the middle of emitting the signal that led here,
// and a remote program's connection closing must not cancel the new game.
void GameController::clearSeats()
{
    stopSeats();
    for (Player *&each : seats) {
        if (!each)
            continue;
        disconnect(each, nullptr, this, nullptr);
        each->deleteLater();
        each = nullptr;
    }
}

void GameController::stopSeats()
{
    for (Player *each : seats)
        if (each)
            each->stop();
}

// The computer's turn begins and ends where a person's does.
void GameController::updateHumanSide()
{
    updateThinking();
    const std::optional<Side> side = humanSide();
    if (side == shownHumanSide)
        return;
    shownHumanSide = side;
    emit humanSideChanged(side);
}

bool GameController::computerThinking() const
{
    return inProgress() && seated() && currentSeat()->isThinking();
}

void GameController::playNow()
{
    if (computerThinking())
        currentSeat()->playNow();
}

void GameController::updateThinking()
{
    const bool thinking = computerThinking();
    if (thinking == shownThinking)
        return;
    shownThinking = thinking;
    emit thinkingChanged(thinking);
}
