// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeerGame.h"

#include <QtTest>

namespace {

QByteArray boardMessage(char code, const ZarvikBoard &board)
{
    return QByteArray(1, code) + ' ' + board.toText().toLatin1();
}

// Red's one stone on A2 (or D7, a step from the far row); black's stones are stuck
// on the bottom row (small or odd codes never win), so black passes every turn.
void setBlackStuck(ZarvikBoard &board, bool nearGoal = false)
{
    for (auto &column : board.cells)
        std::fill(column.begin(), column.end(), 0);
    (nearGoal ? board.cells[3][1] : board.cells[0][6]) = 4;
    board.cells[6][7] = 12;
    board.cells[7][7] = 1;
}

// The last legal move of side, which for a lone stone heads for the far row.
Move lastLegal(const ZarvikBoard &board, Side side)
{
    MoveList list;
    board.generateMoves(side, list);
    return list.count > 0 ? list.moves[list.count - 1] : Move();
}

// Gives game one message and answers a request with its side's last legal move;
// "%" stands for the game's own last move.
PeerGame::Step take(PeerGame &game, QByteArray bytes)
{
    MessageSplitter splitter;
    splitter.append(bytes.replace('%', Protocol::moveText(game.move())));
    MessageSplitter::Message message;
    splitter.next(message);
    const PeerGame::Step step = game.take(message);
    if (step == PeerGame::Step::asked && !game.answer(lastLegal(game.position(), game.side())))
        return PeerGame::Step::fault;
    return step;
}

// The game's move is legal for its side on expected, and the copies agree once it is made.
bool movedOn(const PeerGame &game, ZarvikBoard &expected)
{
    Move move = game.move();
    if (!expected.isLegal(move, game.side()))
        return false;
    expected.applyMove(move);
    return game.position().toText() == expected.toText();
}

} // namespace

class TestPeerGame : public QObject
{
    Q_OBJECT

private slots:
    // After a pass the side that moves again gets its board message once more: it
    // takes the position as it stands and moves, red after black passed as black
    // after red did; black's first board message asks for nothing.
    void aBoardAgainAfterAPassAsksForAMove()
    {
        ZarvikBoard expected;
        setBlackStuck(expected);
        PeerGame game;
        QCOMPARE(take(game, boardMessage('1', expected)), PeerGame::Step::asked);
        QVERIFY(game.side() == Side::Red && movedOn(game, expected));
        QCOMPARE(take(game, boardMessage('1', expected)), PeerGame::Step::asked);
        QVERIFY2(game.note().contains(QStringLiteral("passed")), qPrintable(game.note()));
        QVERIFY(movedOn(game, expected));
        expected.resetToInitial();
        PeerGame black;
        QCOMPARE(take(black, boardMessage('2', expected)), PeerGame::Step::wait);
        QCOMPARE(take(black, boardMessage('2', expected)), PeerGame::Step::asked);
        QVERIFY(black.side() == Side::Black && movedOn(black, expected));
    }

    // An answer that is no legal move of the side asked leaves the position as it was.
    void anIllegalAnswerIsNotPlayed()
    {
        ZarvikBoard initial;
        initial.resetToInitial();
        PeerGame game;
        MessageSplitter splitter;
        splitter.append(boardMessage('1', initial));
        MessageSplitter::Message message;
        QVERIFY(splitter.next(message));
        QCOMPARE(game.take(message), PeerGame::Step::asked);
        QVERIFY(!game.answer(Move(1, 1, 1, 2))); // B7 - B6, black's
        QCOMPARE(game.position().toText(), initial.toText());
        QVERIFY(game.answer(Move(1, 6, 1, 5)));
    }

    // How each script ends: the last step, what the game says, whether it won.
    void scripts()
    {
        ZarvikBoard initial, stuck, nearGoal;
        initial.resetToInitial();
        setBlackStuck(stuck);
        setBlackStuck(nearGoal, true);
        const QByteArray black = boardMessage('2', initial);
        using Step = PeerGame::Step;
        const struct { QByteArrayList script; Step step; QString report; bool won; } rows[] = {
            {{boardMessage('1', nearGoal), "5 %"}, Step::over, "", true},
            {{black, "3 B2 - B3", "5 %"}, Step::over, "", true},
            {{black, "3 B2 - B3", "5 A7 - A8"}, Step::over, "", false},
            {{boardMessage('1', initial), "4"}, Step::refused, "error: the program refused our move %", false},
            {{"3 B2 - B3"}, Step::fault, "error: asked to move before the board", false},
            {{boardMessage('2', stuck), "3 A2 - A3"}, Step::fault, "error: asked to move, but", false},
            {{black, "3 A8 - A8"}, Step::fault, "error: A8 - A8 is not a legal move of the opponent", false},
        };
        for (const auto &row : rows) {
            PeerGame game;
            Step last = Step::fault;
            for (const QByteArray &bytes : row.script)
                last = take(game, bytes);
            const QString said = QStringLiteral("after %1: note: %2| error: %3|")
                                     .arg(row.script.last(), game.note(), game.error());
            QVERIFY2(last == row.step && game.won() == row.won, qPrintable(said));
            const QString report = QString(row.report).replace('%', QString::fromLatin1(Protocol::moveText(game.move())));
            QVERIFY2(said.contains(report), qPrintable(said));
        }
    }
};

QTEST_APPLESS_MAIN(TestPeerGame)
#include "tst_peergame.moc"
