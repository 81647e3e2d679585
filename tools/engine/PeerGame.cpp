#include "PeerGame.h"

#include <QByteArray>

PeerGame::PeerGame(const SearchSettings &settings)
    : settings(settings)
{
}

PeerGame::Step PeerGame::take(const MessageSplitter::Message &message)
{
    remark.clear();
    switch (message.code) {
    case '1':
        return setBoard(message, ZarvikBoard::red);
    case '2':
        return setBoard(message, ZarvikBoard::black);
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

// Message 1 asks red to move at once; message 2 only tells black the position.
PeerGame::Step PeerGame::setBoard(const MessageSplitter::Message &message, int side)
{
    Q_ASSERT(int(message.cells.size()) == MessageSplitter::cellCount);
    for (int i = 0; i < MessageSplitter::cellCount; ++i)
        board.cells[i % ZarvikBoard::size][i / ZarvikBoard::size] = message.cells[i];
    settings.color = side;
    sideKnown = true;
    return side == ZarvikBoard::red ? play() : Step::wait;
}

PeerGame::Step PeerGame::opponentMoved(const MessageSplitter::Message &message)
{
    if (!sideKnown)
        return fail(QStringLiteral("asked to move before the board was sent"));
    if (!applyOpponentMove(message.moveText))
        remark = QStringLiteral("%1 is not a move of the opponent: it passed, this is our own last move")
                     .arg(QString::fromLatin1(message.moveText));
    return play();
}

// The winning move is the opponent's when it is legal for the opponent; otherwise
// it is our own, already in the copy.
PeerGame::Step PeerGame::gameOver(const MessageSplitter::Message &message)
{
    ownWin = sideKnown && !applyOpponentMove(message.moveText);
    return Step::over;
}

PeerGame::Step PeerGame::play()
{
    search.setPosition(board);
    const SearchResult result = search.run(settings, std::atomic<bool>(false));
    if (!board.isLegal(result.best, settings.color))
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

bool PeerGame::applyOpponentMove(const QByteArray &moveText)
{
    Move move;
    if (!move.parse(moveText.constData(), board.columns, board.rows) || !board.isLegal(move, opponent()))
        return false;
    board.applyMove(move);
    return true;
}
