#include "PeerGame.h"

#include <QtTest>

namespace {

MessageSplitter::Message message(const QByteArray &bytes)
{
    MessageSplitter splitter;
    splitter.append(bytes);
    MessageSplitter::Message taken;
    if (!splitter.next(taken) || splitter.pendingBytes() != 0)
        qFatal("not one message: %s", bytes.constData());
    return taken;
}

QByteArray boardMessage(char code, const ZarvikBoard &board)
{
    return QByteArray(1, code) + ' ' + board.toText().toLatin1();
}

QByteArray moveMessage(char code, const Move &move)
{
    return QByteArray(1, code) + ' ' + move.toText(8, 8).toLatin1();
}

// Boards cannot be copied: each test fills its own.
void setInitial(ZarvikBoard &board)
{
    board.resetToInitial();
}

// Red's one stone on A2; black's stones are stuck on the bottom row (small or odd
// codes never win), so black passes every turn.
void setBlackStuck(ZarvikBoard &board)
{
    for (auto &column : board.cells)
        std::fill(column.begin(), column.end(), 0);
    board.cells[0][6] = 4;
    board.cells[6][7] = 12;
    board.cells[7][7] = 1;
}

QByteArray boardMessage(char code, void (*setUp)(ZarvikBoard &))
{
    ZarvikBoard board;
    setUp(board);
    return boardMessage(code, board);
}

const SearchSettings level1{ZarvikBoard::red, 1, 2, 1, 1};

} // namespace

class TestPeerGame : public QObject
{
    Q_OBJECT

private slots:
    void redMovesOnTheBoardItIsSent()
    {
        PeerGame game(level1);
        QVERIFY(!game.knowsSide());
        QCOMPARE(game.take(message(boardMessage('1', setInitial))), PeerGame::Step::play);
        QVERIFY(game.knowsSide());
        QCOMPARE(game.side(), int(ZarvikBoard::red));
        ZarvikBoard expected;
        setInitial(expected);
        Move move = game.move();
        QVERIFY(expected.isLegal(move, ZarvikBoard::red));
        expected.applyMove(move);
        QCOMPARE(game.position().toText(), expected.toText());
    }

    void blackWaitsThenAnswersRedsMove()
    {
        PeerGame game(level1);
        QCOMPARE(game.take(message(boardMessage('2', setInitial))), PeerGame::Step::wait);
        QCOMPARE(game.side(), int(ZarvikBoard::black));
        Move red(1, 6, 1, 5);
        QCOMPARE(game.take(message(moveMessage('3', red))), PeerGame::Step::play);
        QVERIFY(game.note().isEmpty());
        ZarvikBoard expected;
        setInitial(expected);
        expected.applyMove(red);
        Move black = game.move();
        QVERIFY(expected.isLegal(black, ZarvikBoard::black));
        expected.applyMove(black);
        QCOMPARE(game.position().toText(), expected.toText());
    }

    // After black passed, message 3 brings back red's own last move.
    void ownMoveSentBackAfterAPassIsLeftOut()
    {
        PeerGame game(level1);
        QCOMPARE(game.take(message(boardMessage('1', setBlackStuck))), PeerGame::Step::play);
        const Move first = game.move();
        QCOMPARE(game.take(message(moveMessage('3', first))), PeerGame::Step::play);
        QVERIFY2(game.note().contains(QStringLiteral("passed")), qPrintable(game.note()));
        ZarvikBoard expected;
        setBlackStuck(expected);
        Move replay = first;
        expected.applyMove(replay);
        Move second = game.move();
        QVERIFY(expected.isLegal(second, ZarvikBoard::red));
        expected.applyMove(second);
        QCOMPARE(game.position().toText(), expected.toText());
        QCOMPARE(game.position().cells[6][7], 12);
    }

    void theFinalMoveTellsWhoWon()
    {
        PeerGame black(level1);
        black.take(message(boardMessage('2', setInitial)));
        QCOMPARE(black.take(message(moveMessage('3', Move(1, 6, 1, 5)))), PeerGame::Step::play);
        const QString before = black.position().toText();
        QCOMPARE(black.take(message(moveMessage('5', Move(2, 6, 2, 5)))), PeerGame::Step::over);
        QVERIFY(!black.won());
        QVERIFY(black.position().toText() != before); // the opponent's last move is applied

        ZarvikBoard nearGoal;
        setBlackStuck(nearGoal);
        nearGoal.cells[0][6] = 0;
        nearGoal.cells[3][1] = 4; // D7: one step from the far row
        PeerGame red(level1);
        QCOMPARE(red.take(message(boardMessage('1', nearGoal))), PeerGame::Step::play);
        QVERIFY(red.position().hasWon(ZarvikBoard::red));
        QCOMPARE(red.take(message(moveMessage('5', red.move()))), PeerGame::Step::over);
        QVERIFY(red.won());
    }

    // While black passed, red moved more than once; only the last move is sent.
    void aCopyOutOfDateIsReported()
    {
        PeerGame game(level1);
        game.take(message(boardMessage('2', setInitial)));
        QCOMPARE(game.take(message("3 B2 - B3")), PeerGame::Step::play);
        QVERIFY(game.warning().isEmpty());
        const QString before = game.position().toText();
        QCOMPARE(game.take(message("3 B4 - B5")), PeerGame::Step::play);
        QVERIFY2(game.warning().contains(QStringLiteral("out of date")), qPrintable(game.warning()));
        QVERIFY(game.note().isEmpty());
        // Only black's own new move changed the copy.
        int changed = 0;
        for (int i = 0; i < before.size(); ++i)
            changed += before[i] != game.position().toText()[i];
        QCOMPARE(changed, 2);
        // The winner is known from the direction of the winning move, even so.
        QCOMPARE(game.take(message("5 A7 - A8")), PeerGame::Step::over);
        QVERIFY(!game.won());
    }

    // Red could not move at the start: black's first request carries a stale move.
    void aStaleMoveBeforeTheFirstOneIsNoAlarm()
    {
        PeerGame game(level1);
        game.take(message(boardMessage('2', setInitial)));
        QCOMPARE(game.take(message("3 A8 - A8")), PeerGame::Step::play);
        QVERIFY(game.warning().isEmpty());
        QVERIFY2(game.note().contains(QStringLiteral("before our first move")), qPrintable(game.note()));
    }

    void aRefusalEndsTheGame()
    {
        PeerGame game(level1);
        game.take(message(boardMessage('1', setInitial)));
        QCOMPARE(game.take(message("4")), PeerGame::Step::refused);
        QVERIFY(game.error().contains(game.move().toText(8, 8)));
    }

    void requestsThatCannotBeAnswered()
    {
        PeerGame early(level1);
        QCOMPARE(early.take(message("3 B2 - B3")), PeerGame::Step::fault);
        QVERIFY(early.error().contains(QStringLiteral("before the board")));

        PeerGame stuck(level1);
        QCOMPARE(stuck.take(message(boardMessage('2', setBlackStuck))), PeerGame::Step::wait);
        QCOMPARE(stuck.take(message("3 A2 - A3")), PeerGame::Step::fault);
        QVERIFY(stuck.error().contains(QStringLiteral("no legal move")));
    }
};

QTEST_APPLESS_MAIN(TestPeerGame)
#include "tst_peergame.moc"
