#include "TestBoards.h"

#include <QtTest>

#include <climits>

using namespace TestBoards;

namespace {

// Leaf count of the move tree to the given depth; stops at won positions.
quint64 perft(ZarvikBoard &board, int side, int depth)
{
    MoveList list;
    board.generateMoves(side, list);
    if (depth == 1)
        return quint64(list.count);
    quint64 leaves = 0;
    for (int i = 0; i < list.count; ++i) {
        board.applyMove(list.moves[i]);
        leaves += perft(board, 1 - side, depth - 1);
        board.undoMove(list.moves[i]);
    }
    return leaves;
}

QStringList list(const char *joined)
{
    return QString(joined).split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

} // namespace

class TestRules : public QObject
{
    Q_OBJECT

private slots:
    void perftFromInitialPosition()
    {
        const quint64 leaves[] = {22, 484, 11132, 256036};
        for (int depth = 1; depth <= 4; ++depth) {
            ZarvikBoard board;
            QCOMPARE(perft(board, red, depth), leaves[depth - 1]);
        }
    }

    // The computer player takes the first of equal scores, so the order matters:
    // column by column, each from the top; straight, higher column, lower column.
    void moveOrder()
    {
        ZarvikBoard board;
        QCOMPARE(movesOf(board, red), list("A2 - A3|A2 - B3|B2 - B3|B2 - C3|B2 - A3|C2 - C3|C2 - D3|C2 - B3|"
                                           "D2 - D3|D2 - E3|D2 - C3|E2 - E3|E2 - F3|E2 - D3|F2 - F3|F2 - G3|"
                                           "F2 - E3|G2 - G3|G2 - H3|G2 - F3|H2 - H3|H2 - G3"));
        QCOMPARE(movesOf(board, black), list("A7 - A6|A7 - B6|B7 - B6|B7 - C6|B7 - A6|C7 - C6|C7 - D6|C7 - B6|"
                                             "D7 - D6|D7 - E6|D7 - C6|E7 - E6|E7 - F6|E7 - D6|F7 - F6|F7 - G6|"
                                             "F7 - E6|G7 - G6|G7 - H6|G7 - F6|H7 - H6|H7 - G6"));
        position(board, "B3:4 A2:4 B5:4 C4:2");
        QCOMPARE(movesOf(board, red), list("A2 - A3|B5 - B6|B5 - C6|B5 - A6|B3 - B4|B3 - C4|B3 - A4"));
    }

    void stoneMoves_data()
    {
        QTest::addColumn<QString>("stones");
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<QStringList>("moves");
        const auto row = [](const char *name, const char *stones, const char *cell, const char *moves) {
            QTest::newRow(name) << QString(stones) << QByteArray(cell) << list(moves);
        };
        row("red free", "D4:4", "D4", "D4 - D5|D4 - E5|D4 - C5");
        row("straight blocked by own", "D4:4 D5:4", "D4", "D4 - E5|D4 - C5");
        row("straight blocked by enemy", "D4:4 D5:2", "D4", "D4 - E5|D4 - C5");
        row("diagonals own", "D4:4 C5:4 E5:4", "D4", "D4 - D5");
        row("diagonals enemy", "D4:4 C5:2 E5:2", "D4", "D4 - D5|D4 - E5|D4 - C5");
        row("black captures", "D5:2 D4:4 C4:4 E4:4", "D5", "D5 - E4|D5 - C4");
        row("column A", "A4:4", "A4", "A4 - A5|A4 - B5");
        row("column H", "H5:2", "H5", "H5 - H4|H5 - G4");
        row("red on goal row", "D8:4", "D8", "");
        row("black on goal row", "D1:2", "D1", "");
        row("empty cell", "D5:2", "D4", "");
        row("code 3 moves down", "D8:3", "D8", "D8 - D7|D8 - E7|D8 - C7");
        row("code 1 is black", "D5:1 D4:2 E4:4 C4:3", "D5", "D5 - E4");
        row("code -1 is black", "D5:-1 C4:9", "D5", "D5 - D4|D5 - E4");
        row("red takes 1, 3, 9", "D4:4 C5:3 E5:1 D5:9", "D4", "D4 - E5|D4 - C5");
        row("code 1 on black goal row", "D1:1", "D1", "");
    }
    void stoneMoves()
    {
        QFETCH(QString, stones);
        QFETCH(QByteArray, cell);
        ZarvikBoard board;
        position(board, stones);
        QTEST(movesFrom(board, cell.constData()), "moves");
    }

    // Only the exact codes 4 on row 8 and 2 on row 1 win. Once won, neither side
    // gets moves, though every stone still lists its own and they stay legal.
    void winning()
    {
        const struct { const char *stones; bool red, black; } cases[] = {
            {"A8:4", true, false}, {"H8:4", true, false}, {"A1:2", false, true}, {"H1:2", false, true},
            {"D8:3", false, false}, {"D1:1", false, false}, {"D1:9", false, false}, {"D1:4 D8:2", false, false}};
        ZarvikBoard board;
        for (const auto &c : cases) {
            position(board, QString(c.stones) + " B6:2 F3:4");
            QVERIFY2(board.hasWon(red) == c.red && board.hasWon(black) == c.black, c.stones);
            QCOMPARE(movesOf(board, red).isEmpty(), c.red || c.black);
            QCOMPARE(movesOf(board, black).isEmpty(), c.red || c.black);
            QCOMPARE(movesFrom(board, "B6"), list("B6 - B5|B6 - C5|B6 - A5"));
            QCOMPARE(movesFrom(board, "F3"), list("F3 - F4|F3 - G4|F3 - E4"));
            QVERIFY(board.isLegal(move("F3", "G4"), red) && !board.isDraw(red) && !board.isDraw(black));
        }
    }

    // Red has no stones and black's are all blocked (codes 1 on row 1 do not win).
    void noMovesIsNoEnd()
    {
        ZarvikBoard board;
        position(board, "A2:2 A1:1 B1:1");
        for (int side : {red, black})
            QVERIFY(movesOf(board, side).isEmpty() && !board.hasWon(side) && !board.isDraw(side));
    }

    void isLegalRefuses()
    {
        ZarvikBoard board;
        QVERIFY(board.isLegal(move("B2", "B3"), red));
        QVERIFY(!board.isLegal(move("D4", "D5"), red)); // empty origin
        QVERIFY(!board.isLegal(move("A7", "A6"), red)); // enemy stone
        QVERIFY(!board.isLegal(move("B1", "B2"), red)); // own stone ahead
        QVERIFY(!board.isLegal(move("B2", "D3"), red));
        QVERIFY(!board.isLegal(move("B2", "B4"), red));
        QVERIFY(!board.isLegal(Move(1, 6, -1, -1), red));
        for (const Move &offBoard : {Move(-1, 6, 0, 5), Move(8, 6, 7, 5), Move(1, 8, 1, 7),
                                     Move(1, -1, 1, 0), Move(INT_MIN, INT_MAX, 0, 0)})
            QVERIFY(!board.isLegal(offBoard, red));
        position(board, "D4:4 E4:2 D5:2");
        QVERIFY(!board.isLegal(move("D4", "D3"), red)); // backward
        QVERIFY(!board.isLegal(move("D4", "E4"), red)); // sideways
        QVERIFY(!board.isLegal(move("D4", "D5"), red)); // straight onto a stone
        QVERIFY(board.isLegal(move("E4", "D3"), black));
    }

    // Over random games: every generated move is legal for its side only, and each
    // side's score is the opposite of the other's.
    void generatedMovesAreLegalAndScoresOpposite()
    {
        for (quint32 seed = 1; seed <= 60; ++seed) {
            ZarvikBoard board;
            if (seed % 2)
                scatter(board, seed);
            playRandomGame(board, seed, [&](int side) {
                MoveList list;
                board.generateMoves(side, list);
                for (int i = 0; i < list.count; ++i)
                    QVERIFY(board.isLegal(list.moves[i], side) && !board.isLegal(list.moves[i], 1 - side));
                for (int level = 1; level <= 3; ++level)
                    QCOMPARE(board.evaluate(side, 2, level), -board.evaluate(1 - side, 2, level));
            });
        }
    }

    void evaluate()
    {
        ZarvikBoard board;
        for (int level = 1; level <= 3; ++level)
            QVERIFY(board.evaluate(red, 0, level) == 0 && board.evaluate(black, 0, level) == 0);
        Move step = move("B2", "B3");
        board.applyMove(step);
        for (int level = 1; level <= 3; ++level) {
            QCOMPARE(board.evaluate(red, 1, level), level == 3 ? 2 : 0);
            QCOMPARE(board.evaluate(black, 1, level), level == 3 ? -2 : 0);
        }
        // Red D4 and black C5 threaten each other; red A3 is safe (+4), as code 1 on
        // B4 does not attack, but threatens B4; black G6 (+4) and code 3 on H5 (+6)
        // are safe; red A7 and black B8 threaten each other across the edge.
        const char *mixed = "D4:4 C5:2 A3:4 B4:1 G6:2 H5:3 A7:4 B8:2";
        const struct { const char *stones; int player, depth, level, score; } cases[] = {
            {mixed, red, 2, 1, -10}, {mixed, red, 2, 2, -10}, {mixed, black, 2, 2, 10},
            {mixed, red, 2, 3, -10 + 4 - 4 - 6}, {mixed, black, 2, 3, 10 - 4 + 4 + 6}, {"D8:3", red, 3, 3, -5}};
        for (const auto &c : cases) {
            position(board, c.stones);
            QCOMPARE(board.evaluate(c.player, c.depth, c.level), c.score);
        }
        for (int level = 1; level <= 3; ++level) {
            position(board, "D8:4 B6:2");
            QVERIFY(board.evaluate(red, 3, level) == 9997 && board.evaluate(black, 3, level) == -9997);
            position(board, "E1:2 C3:4");
            QVERIFY(board.evaluate(black, 5, level) == 9995 && board.evaluate(red, 0, level) == -10000);
        }
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
