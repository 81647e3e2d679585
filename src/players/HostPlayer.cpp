// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostPlayer.h"

#include "MoveList.h"

#include <functional>

namespace {

// The most moves the host may make while this side passes before a winning move:
// a stone crosses the board in fewer, and a search for more would be in vain.
constexpr int stepsToWin = 2 * ZarvikBoard::size;
// Positions searched at most to find the host's moves behind a board: far more than
// any game needs, so that a board no game leads to cannot stall the window.
constexpr int searchBudget = 100000;

// How far the side's stones have come, in rows: each move of the side adds one, and
// nothing else changes it while the opponent passes.
int progress(const ZarvikBoard &board, Side side)
{
    int total = 0;
    for (int x = 0; x < ZarvikBoard::size; ++x)
        for (int y = 0; y < ZarvikBoard::size; ++y)
            if (board.owner(board.cells[size_t(x)][size_t(y)]) == side)
                total += ZarvikBoard::advance(side, y);
    return total / 2;
}

// The position the host's moves behind a message lead to.
using Arrival = std::function<bool(const ZarvikBoard &)>;

// Whether steps moves of side, the opponent passing between them, lead from board
// to where arrived() holds, and the first of them; board is left as it was.
bool reaches(ZarvikBoard &board, const Arrival &arrived, Side side, int steps, int &budget, Move &first)
{
    if (steps == 0)
        return arrived(board);
    MoveList moves;
    board.generateMoves(side, moves);
    for (int i = 0; i < moves.count && --budget > 0; ++i) {
        Move move = moves.moves[i];
        board.applyMove(move);
        Move next;
        const bool found = (steps == 1 || !board.canMove(~side)) && reaches(board, arrived, side, steps - 1, budget, next);
        board.undoMove(move);
        if (found) {
            first = moves.moves[i];
            return true;
        }
    }
    return false;
}

// The first of the moves of side, between maxSteps and minSteps of them, that lead
// from board to where arrived() holds while the opponent passes.
std::optional<Move> firstStep(const ZarvikBoard &from, const Arrival &arrived, Side side, int minSteps, int maxSteps)
{
    ZarvikBoard board;
    board.cells = from.cells;
    int budget = searchBudget;
    Move first;
    for (int steps = qMax(minSteps, 1); steps <= maxSteps && budget > 0; ++steps)
        if (reaches(board, arrived, side, steps, budget, first))
            return first;
    return std::nullopt;
}

bool wins(const ZarvikBoard &from, const Move &move, Side side)
{
    if (!from.isLegal(move, side))
        return false;
    ZarvikBoard board;
    board.cells = from.cells;
    Move played = move;
    board.applyMove(played);
    return board.hasWon(side);
}

} // namespace

HostPlayer::HostPlayer(Side side, HostConnection *connection, QObject *parent)
    : Player(side, parent), connection(connection)
{
    connect(connection, &HostConnection::moveAsked, this, &HostPlayer::sendWhenAsked);
    connect(connection, &HostConnection::opponentMoved, this, &HostPlayer::onHostMoved);
    connect(connection, &HostConnection::boardAgain, this, &HostPlayer::onBoard);
    connect(connection, &HostConnection::gameOver, this, &HostPlayer::onGameOver);
    connect(connection, &HostConnection::failed, this, &HostPlayer::onFailed);
    connect(connection, &HostConnection::ended, this, &HostPlayer::concluded);
    connect(connection, &HostConnection::limitsGiven, this, &HostPlayer::limitsTold);
}

bool HostPlayer::passOnResignation()
{
    return connection->sendResign();
}

// The person here left the game: the host is told, so that it ends the game the same way.
void HostPlayer::gameEnded(const GameResult &result, int /*plies*/)
{
    if (result.how == GameResult::Ending::Abandoned && result.loser == ~side())
        connection->sendBye();
}

void HostPlayer::play(const Turn &turn)
{
    position.cells = turn.position.cells;
    asked = true;
    if (boardAhead || finalMove)
        catchUp();
}

void HostPlayer::stop()
{
    stopped = true;
    asked = false;
}

// The person's move goes out at once when the host waits for it; after a pass of the
// host's side, the host's board message comes first and asks for it.
void HostPlayer::opponentMoved(const Move &move)
{
    boardAhead = false;
    unsent.push_back(move);
    sendWhenAsked();
}

// A move that this window's rules allow and the host's copy of the game does not
// means that the two no longer agree.
void HostPlayer::sendWhenAsked()
{
    if (unsent.empty() || !connection->awaitsMove())
        return;
    const Move move = unsent.front();
    unsent.pop_front();
    if (!connection->send(move))
        onFailed(HostConnection::Problem::unreadable);
}

void HostPlayer::onHostMoved(const Move &move)
{
    if (asked)
        answer(move);
    else
        onFailed(HostConnection::Problem::unreadable);
}

// A board while this side is asked: the host played and our side passed, maybe more
// than once. Otherwise it tells that the host's side passed, as this window found too.
void HostPlayer::onBoard(const ZarvikBoard &board)
{
    if (!asked)
        return;
    shown.cells = board.cells;
    boardAhead = true;
    catchUp();
}

// Plays the host's moves that the last board or winning move tells, one a turn: the
// game passes this window's side between them and asks again. A board that
// no move of the host's leads to (the host asks for a move where this window finds
// it is the host's turn) means that the two no longer agree.
void HostPlayer::catchUp()
{
    const std::optional<Move> step = finalMove ? stepToWin() : stepToBoard();
    if (step)
        answer(*step);
    else
        onFailed(HostConnection::Problem::unreadable);
}

std::optional<Move> HostPlayer::stepToWin() const
{
    const Move final = *finalMove;
    if (wins(position, final, side()))
        return final;
    return firstStep(position, [&](const ZarvikBoard &board) { return wins(board, final, side()); }, side(), 1,
                     stepsToWin);
}

std::optional<Move> HostPlayer::stepToBoard() const
{
    const int steps = progress(shown, side()) - progress(position, side());
    return firstStep(position, [this](const ZarvikBoard &board) { return board.cells == shown.cells; }, side(),
                     steps, steps);
}

// The host's winning move ends the game here too, once the moves it made while this
// side passed are played; the person's own winning move has already ended it here,
// so the host cannot name it while the game goes on.
void HostPlayer::onGameOver(const Move &move, bool won)
{
    if (stopped)
        return;
    if (won || !asked) {
        onFailed(HostConnection::Problem::unreadable);
        return;
    }
    finalMove = move;
    catchUp();
}

void HostPlayer::onFailed(HostConnection::Problem problem)
{
    if (stopped)
        return;
    stopped = true;
    asked = false;
    connection->close();
    switch (problem) {
    case HostConnection::Problem::cannotConnect:
    case HostConnection::Problem::lost:
        emit failed(Failure::Disconnection);
        return;
    case HostConnection::Problem::refused:
        emit failed(Failure::Refusal);
        return;
    case HostConnection::Problem::silent:
        emit failed(Failure::Silence);
        return;
    case HostConnection::Problem::unreadable:
        break;
    }
    emit failed(Failure::Garbage);
}

void HostPlayer::answer(const Move &move)
{
    asked = false;
    emit moved(move);
}
