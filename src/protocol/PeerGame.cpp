// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeerGame.h"

#include "BoardText.h"

#include <QByteArray>

PeerGame::Step PeerGame::take(const MessageSplitter::Message &message)
{
    using Code = Protocol::Code;
    remark.clear();
    switch (message.code) {
    case Code::RedBoard:
        return setBoard(message, Side::Red);
    case Code::BlackBoard:
        return setBoard(message, Side::Black);
    case Code::OpponentMove:
        return opponentMoved(message);
    case Code::Refusal:
        fault = QStringLiteral("the program refused our move %1").arg(QString::fromLatin1(Protocol::moveText(chosen)));
        return Step::refused;
    case Code::FinalMove:
        return gameOver(message);
    case Code::Extension: // between Zarvik windows, told apart before the game's copy
        break;
    }
    return fail(QStringLiteral("unknown message code %1").arg(QLatin1Char(char(message.code))));
}

bool PeerGame::answer(const Move &move)
{
    if (!apply(move, ownSide))
        return false;
    chosen = move;
    return true;
}

// Message 1 asks red to move at once; black's first message 2 only tells it the
// position, a later one comes after red passed and asks for a move.
PeerGame::Step PeerGame::setBoard(const MessageSplitter::Message &message, Side side)
{
    // The splitter lets through only 64 integers, each followed by a space.
    const bool read = BoardText::read(QString::fromLatin1(message.text), board.cells);
    Q_ASSERT(read);
    Q_UNUSED(read);
    const bool again = sideKnown;
    ownSide = side;
    sideKnown = true;
    remark = again ? QStringLiteral("the board again: the opponent passed")
                   : QStringLiteral("we play %1").arg(side == Side::Red ? "red" : "black");
    return side == Side::Red || again ? ask() : Step::wait;
}

PeerGame::Step PeerGame::opponentMoved(const MessageSplitter::Message &message)
{
    if (!sideKnown)
        return fail(QStringLiteral("asked to move before the board was sent"));
    if (!apply(readMove(message.text), ~ownSide))
        return fail(QStringLiteral("%1 is not a legal move of the opponent").arg(QString::fromLatin1(message.text)));
    return ask();
}

// The winner is the side that made the winning move: red moves up the board, black
// down. The move is applied when it is the opponent's.
PeerGame::Step PeerGame::gameOver(const MessageSplitter::Message &message)
{
    const Move move = readMove(message.text);
    const Side winner = move.toY < move.fromY ? Side::Red : Side::Black;
    ownWin = sideKnown && winner == ownSide;
    if (sideKnown && !ownWin)
        apply(move, ~ownSide);
    return Step::over;
}

PeerGame::Step PeerGame::ask()
{
    return board.canMove(ownSide) ? Step::asked : fail(QStringLiteral("asked to move, but there is no legal move"));
}

PeerGame::Step PeerGame::fail(const QString &why)
{
    fault = why;
    return Step::fault;
}

bool PeerGame::apply(const Move &move, Side side)
{
    if (!board.isLegal(move, side))
        return false;
    Move applied = move;
    board.applyMove(applied);
    return true;
}

// The splitter lets through only well-formed move texts.
Move PeerGame::readMove(const QByteArray &moveText)
{
    Move move;
    const bool parsed = move.parse(moveText.constData(), ZarvikBoard::size, ZarvikBoard::size);
    Q_ASSERT(parsed);
    Q_UNUSED(parsed);
    return move;
}
