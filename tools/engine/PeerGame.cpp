// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeerGame.h"

#include <QByteArray>

PeerGame::PeerGame(const SearchSettings &settings)
    : settings(settings),
      search(SearchEngine::forLevel(settings.level))
{
}

PeerGame::Step PeerGame::take(const MessageSplitter::Message &message)
{
    remark.clear();
    switch (message.code) {
    case '1':
        return setBoard(message, Side::Red);
    case '2':
        return setBoard(message, Side::Black);
    case '3':
        return opponentMoved(message);
    case '4':
        fault = QStringLiteral("the program refused our move %1").arg(chosen.toText(board.columns, board.rows));
        return Step::refused;
    case '5':
        return gameOver(message);
    default:
        return fail(QStringLiteral("unknown message code %1").arg(QLatin1Char(message.code)));
    }
}

// Message 1 asks red to move at once; black's first message 2 only tells it the
// position, a later one comes after red passed and asks for a move.
PeerGame::Step PeerGame::setBoard(const MessageSplitter::Message &message, Side side)
{
    Q_ASSERT(int(message.cells.size()) == MessageSplitter::cellCount);
    for (int i = 0; i < MessageSplitter::cellCount; ++i)
        board.cells[i % ZarvikBoard::size][i / ZarvikBoard::size] = message.cells[i];
    const bool again = sideKnown;
    settings.color = static_cast<Side>(side);
    sideKnown = true;
    remark = again ? QStringLiteral("the board again: the opponent passed")
                   : QStringLiteral("we play %1").arg(side == Side::Red ? "red" : "black");
    return side == Side::Red || again ? play() : Step::wait;
}

PeerGame::Step PeerGame::opponentMoved(const MessageSplitter::Message &message)
{
    if (!sideKnown)
        return fail(QStringLiteral("asked to move before the board was sent"));
    if (!applyOpponentMove(readMove(message.moveText)))
        return fail(QStringLiteral("%1 is not a legal move of the opponent").arg(QString::fromLatin1(message.moveText)));
    return play();
}

// The winner is the side that made the winning move: red moves up the board, black
// down. The move is applied when it is the opponent's.
PeerGame::Step PeerGame::gameOver(const MessageSplitter::Message &message)
{
    const Move move = readMove(message.moveText);
    const Side winner = move.toY < move.fromY ? Side::Red : Side::Black;
    ownWin = sideKnown && winner == side();
    if (sideKnown && !ownWin)
        applyOpponentMove(move);
    return Step::over;
}

PeerGame::Step PeerGame::play()
{
    search->setPosition(board);
    const SearchResult result = search->run(settings, std::atomic<bool>(false));
    if (!board.isLegal(result.best, side()))
        return fail(QStringLiteral("asked to move, but there is no legal move"));
    chosen = result.best;
    board.applyMove(chosen);
    return Step::play;
}

PeerGame::Step PeerGame::fail(const QString &why)
{
    fault = why;
    return Step::fault;
}

bool PeerGame::applyOpponentMove(const Move &move)
{
    if (!board.isLegal(move, opponent()))
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
