// SPDX-License-Identifier: GPL-3.0-or-later
#include "Game.h"

namespace {
// The moves (passes not counted) among the first plies of a game.
int movesAmong(const std::vector<GameModel::Ply> &plies, int count)
{
    int moves = 0;
    for (int i = 0; i < count; ++i)
        moves += plies[size_t(i)].isPass() ? 0 : 1;
    return moves;
}

// A remote program's answer has half a second for the transfer.
constexpr qint64 networkGraceMs = 500;

QString moveText(const Move &move)
{
    return move.toText(ZarvikBoard::size, ZarvikBoard::size);
}
} // namespace

Game::Game(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<std::optional<Side>>();
    qRegisterMetaType<GameResult>();
    for (Side side : bothSides)
        connect(&clocks[indexOf(side)], &SideClock::expired, this, [this, side] { onClockExpired(side); });
    graceTimer.setSingleShot(true);
    connect(&graceTimer, &QTimer::timeout, this, [this] { finish(*pendingEnd); });
}

Game::~Game()
{
    stopSeats();
}

void Game::begin(const Board &start, Side toMove, const GameOptions &options)
{
    stop();
    game.reset(start, toMove);
    prepare(options);
}

void Game::beginHere(const GameOptions &options)
{
    stop();
    game.truncate();
    prepare(options);
}

void Game::prepare(const GameOptions &options)
{
    chosen = options;
    nameSeats();
    for (const GameRecord::Tag &tag : chosen.tags)
        game.setTag(tag.first, tag.second);
    setClocks();
    pliesKnown[0] = pliesKnown[1] = -1;
    refusedLines[0] = refusedLines[1] = 0;
    enter(State::Seating);
    emit historyChanged();
    updateHumanSide();
    endsAtStart();
}

// Each side's limit per move as chosen; a remote program has half a second more
// for the network, and the computer, which keeps a margin of its own, never loses
// on time. In a joined game the host keeps the time: the clocks here only show it.
void Game::setClocks()
{
    for (Side side : bothSides) {
        const SeatOptions &how = chosen.seat(side);
        clocks[indexOf(side)].setLimit(how.timer ? qint64(qMax(0, how.seconds)) * 1000 : SideClock::noLimit,
                                       how.kind == PlayerKind::Socket ? networkGraceMs : 0,
                                       how.kind != PlayerKind::Cpu && !chosen.joined());
    }
}

// Who plays each side, in the record: "Humain", "Ordinateur niveau 3", "Réseau". The
// words are the record's, the same in every language of the window.
void Game::nameSeats()
{
    for (Side side : bothSides) {
        const SeatOptions &how = chosen.seat(side);
        const QString name = how.kind == PlayerKind::Human ? QStringLiteral("Humain")
                             : how.kind == PlayerKind::Cpu ? QStringLiteral("Ordinateur niveau %1").arg(how.level)
                                                           : QStringLiteral("Réseau");
        game.setTag(side == Side::Red ? QStringLiteral("Red") : QStringLiteral("Black"), name);
    }
}

// A board on which a side already stands on its goal row is that side's win at
// once (both: a draw); nobody could move on it anyway.
bool Game::endsAtStart()
{
    const bool redWon = game.position().hasWon(Side::Red);
    const bool blackWon = game.position().hasWon(Side::Black);
    if (!redWon && !blackWon)
        return false;
    finish(redWon && blackWon ? GameResult::drawn() : GameResult::win(redWon ? Side::Red : Side::Black, GameResult::Ending::GoalRow));
    return true;
}

void Game::enter(State state)
{
    if (state == current)
        return;
    current = state;
    emit stateChanged(state);
}

void Game::seat(Side side, Player *player, bool toldPosition)
{
    Q_ASSERT(current == State::Seating && !isSeated(side));
    player->setParent(this);
    seats[indexOf(side)] = player;
    connect(player, &Player::moved, this, &Game::onMoved);
    connect(player, &Player::failed, this, &Game::onFailed);
    connect(player, &Player::depthReached, this, &Game::onDepth);
    connect(player, &Player::lineRefused, this, [this, side] {
        ++refusedLines[indexOf(side)];
        emit lineRefused(side);
    });
    connect(player, &Player::concluded, this, &Game::onConcluded);
    connect(player, &Player::limitsTold, this, &Game::onLimitsTold);
    if (toldPosition)
        pliesKnown[indexOf(side)] = movesAmong(game.plies(), game.cursor());
    if (seated())
        firstTurn();
}

void Game::firstTurn()
{
    enter(State::Playing);
    const Side first = game.sideToMove();
    if (!game.position().canMove(first)) {
        askSeat();
        return;
    }
    pliesKnown[indexOf(first)] = movesAmong(game.plies(), game.cursor());
    askToPlay(first, {game.position(), GameRecord::pass, false});
    updateHumanSide();
    emit turnBegan(first, TurnStart::First);
}

std::optional<Side> Game::turn() const
{
    return current == State::Playing ? std::optional<Side>(game.sideToMove()) : std::nullopt;
}

std::optional<Side> Game::humanSide() const
{
    return turn() && isPerson(game.sideToMove()) ? turn() : std::nullopt;
}

void Game::playMove(const Move &move)
{
    if (!humanSide())
        return;
    if (!game.position().isLegal(move, game.sideToMove())) {
        qWarning("Refused a move that is not legal for the side to move: %s", qPrintable(moveText(move)));
        return;
    }
    currentSeat()->enter(move);
}

// Only the answer of the seat to move counts, once.
void Game::onMoved(const Move &move)
{
    if (current != State::Playing || sender() != currentSeat())
        return;
    const Side side = game.sideToMove();
    if (!game.play(move)) {
        qWarning("Refused a move that is not legal for the side to move: %s", qPrintable(moveText(move)));
        return;
    }
    clocks[indexOf(side)].stop();
    refusedLines[indexOf(side)] = 0;
    pliesKnown[indexOf(side)] = movesAmong(game.plies(), game.cursor());
    if (move != GameRecord::pass)
        seatOf(~side)->opponentMoved(move);
    conclude();
    emit historyChanged();
}

// After a ply: the game ends, or the next side is asked.
void Game::conclude()
{
    const GameModel::Ply &last = game.plies()[size_t(game.cursor() - 1)];
    if (!last.isPass() && game.position().hasWon(last.side)) {
        for (Player *each : seats)
            each->gameWon(last.move);
        finish(GameResult::win(last.side, GameResult::Ending::GoalRow));
        return;
    }
    askSeat();
}

// A side without a legal move passes; when neither side can move the game is drawn.
void Game::askSeat()
{
    Side side = game.sideToMove();
    TurnStart how = TurnStart::Next;
    if (!game.position().canMove(side)) {
        if (!game.position().canMove(~side)) {
            finish(GameResult::drawn());
            return;
        }
        game.play(GameRecord::pass);
        how = TurnStart::AfterPass;
        side = ~side;
    }
    const int moves = movesAmong(game.plies(), game.cursor());
    const bool sawPrevious = moves == pliesKnown[indexOf(side)] + 1;
    pliesKnown[indexOf(side)] = moves;
    askToPlay(side, {game.position(), game.position().lastMove, sawPrevious});
    updateHumanSide();
    emit turnBegan(side, how);
}

void Game::askToPlay(Side side, const Player::Turn &turn)
{
    clocks[indexOf(~side)].stop();
    clocks[indexOf(side)].start();
    seatOf(side)->play(turn);
}

// In a joined game the host decides, and its end follows.
void Game::resign()
{
    const std::optional<Side> side = humanSide();
    if (side && !seatOf(~*side)->passOnResignation())
        finish(GameResult::win(~*side, GameResult::Ending::Resignation));
}

// The other end's word on the end, after the plies it counts: a move of ours that
// it never took is no ply of the game.
void Game::onConcluded(const GameResult &result, int plies)
{
    if (!inProgress())
        return;
    if (plies >= 0 && plies < int(game.plies().size())) {
        game.setCursor(plies);
        game.truncate();
    }
    finish(result);
}

// The host of a joined game keeps the time: the clocks here count down from its limits.
void Game::onLimitsTold(const Extension::Limits &limits)
{
    if (!chosen.joined())
        return;
    for (Side side : bothSides) {
        const std::optional<int> &seconds = side == Side::Red ? limits.red : limits.black;
        SeatOptions &how = side == Side::Red ? chosen.red : chosen.black;
        how.timer = seconds.has_value();
        how.seconds = seconds.value_or(how.seconds);
    }
    setClocks();
}

// Nothing to take back while the computer searches (its move would land on another
// position) nor against a remote side, which cannot be told.
bool Game::canUndo() const
{
    if (!seated() || chosen.hasRemoteSide() || (inProgress() && !isPerson(game.sideToMove())))
        return false;
    for (int i = game.cursor() - 1; i >= 0; --i) {
        const GameModel::Ply &ply = game.plies()[size_t(i)];
        if (isPerson(ply.side) && !ply.isPass())
            return true;
    }
    return false;
}

bool Game::canRedo() const
{
    return current == State::Playing && !game.atEnd() && isPerson(game.sideToMove());
}

// Moves the cursor back to the last move of a person, who is then to move; a game
// that had ended goes on.
void Game::undo()
{
    if (!canUndo())
        return;
    int at = game.cursor() - 1;
    while (!isPerson(game.plies()[size_t(at)].side) || game.plies()[size_t(at)].isPass())
        --at;
    stopSeats();
    game.setCursor(at);
    game.setResult(GameRecord::unfinished, GameRecord::byNothingYet);
    enter(State::Playing);
    pliesKnown[0] = pliesKnown[1] = movesAmong(game.plies(), at);
    askToPlay(game.sideToMove(), {game.position(), game.position().lastMove, true});
    updateHumanSide();
    emit turnBegan(game.sideToMove(), TurnStart::Next);
    emit historyChanged();
}

// Plays again the person's move taken back last, and the computer's replies that
// followed it; the computer searches only once the plies taken back are used up.
void Game::redo()
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
void Game::onDepth(int depth, int score)
{
    if (current == State::Playing && sender() == currentSeat())
        emit computerDepth(depth, score);
}

// A side whose program or host fails cancels the game, or loses it where the rules
// say so. A lost connection may wait for its cause.
void Game::onFailed(Player::Failure how)
{
    const auto *player = qobject_cast<Player *>(sender());
    if (!inProgress() || !player || pendingEnd)
        return;
    const Side side = player->side();
    GameResult result = rules_.disconnectionLoses ? GameResult::win(~side, GameResult::Ending::Disconnection)
                                                  : GameResult::cancelled(side, GameResult::Ending::Disconnection);
    result.failure = how;
    if (how != Player::Failure::Disconnection || rules_.disconnectionGraceMs <= 0) {
        finish(result);
        return;
    }
    stopSeats();
    pendingEnd = result;
    graceTimer.start(rules_.disconnectionGraceMs);
}

void Game::onClockExpired(Side side)
{
    if (current != State::Playing || game.sideToMove() != side || pendingEnd)
        return;
    finish(GameResult::win(~side, refusedLines[indexOf(side)] > 0 ? GameResult::Ending::IllegalMove
                                                                  : GameResult::Ending::TimeOut));
}

void Game::end(const GameResult &result)
{
    if (inProgress())
        finish(result);
}

void Game::finish(const GameResult &result)
{
    graceTimer.stop();
    pendingEnd.reset();
    current = State::Ended;
    game.setResult(result.result(), result.termination());
    for (Player *each : seats)
        if (each)
            each->gameEnded(result, int(game.plies().size()));
    stopSeats();
    updateHumanSide();
    emit stateChanged(current);
    emit ended(result);
    emit historyChanged();
}

void Game::stop()
{
    graceTimer.stop();
    pendingEnd.reset();
    clearSeats();
    enter(State::Idle);
    updateHumanSide();
    emit historyChanged();
}

void Game::showBoard(const Board &board)
{
    stop();
    game.reset(board, Side::Red);
}

bool Game::open(const GameRecord &record, int *illegal)
{
    if (!GameModel().load(record, illegal))
        return false;
    stop();
    game.load(record);
    return true;
}

void Game::showPly(int plies)
{
    if (!inProgress())
        game.setCursor(plies);
}

// The seats' signals are cut first and the objects deleted once control is back in
// the event loop: a seat may be in the middle of emitting the signal that led here,
// and a remote program's connection closing must not cancel the new game.
void Game::clearSeats()
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

void Game::stopSeats()
{
    for (SideClock &each : clocks)
        each.stop();
    for (Player *each : seats)
        if (each)
            each->stop();
}

// The computer's turn begins and ends where a person's does.
void Game::updateHumanSide()
{
    updateThinking();
    const std::optional<Side> side = humanSide();
    if (side == shownHumanSide)
        return;
    shownHumanSide = side;
    emit humanSideChanged(side);
}

bool Game::computerThinking() const
{
    return current == State::Playing && currentSeat()->isThinking();
}

void Game::playNow()
{
    if (computerThinking())
        currentSeat()->playNow();
}

void Game::updateThinking()
{
    const bool thinking = computerThinking();
    if (thinking == shownThinking)
        return;
    shownThinking = thinking;
    emit thinkingChanged(thinking);
}
