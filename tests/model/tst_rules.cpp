#include "TestBoards.h"

#include <QtTest>

#include <climits>

using namespace TestBoards;

// Leaf count of the move tree to the given depth; stops at won positions.
static quint64 perft(ZarvikBoard &board, int side, int depth)
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

static QStringList list(const char *joined)
{
    return QString::fromLatin1(joined).split(QLatin1Char('|'), Qt::SkipEmptyParts);
}

class TestRules : public QObject
{
    Q_OBJECT

private slots:
    void perftFromInitialPosition_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<quint64>("leaves");
        QTest::newRow("1") << 1 << quint64(22);
        QTest::newRow("2") << 2 << quint64(484);
        QTest::newRow("3") << 3 << quint64(11132);
        QTest::newRow("4") << 4 << quint64(256036);
    }
    void perftFromInitialPosition()
    {
        QFETCH(int, depth);
        QFETCH(quint64, leaves);
        ZarvikBoard board;
        QCOMPARE(perft(board, ZarvikBoard::red, depth), leaves);
    }

    // The order matters: the computer player picks the first of equal scores.
    void initialMoveOrder()
    {
        ZarvikBoard board;
        QCOMPARE(movesOf(board, ZarvikBoard::red),
                 list("A2 - A3|A2 - B3|B2 - B3|B2 - C3|B2 - A3|C2 - C3|C2 - D3|C2 - B3|"
                      "D2 - D3|D2 - E3|D2 - C3|E2 - E3|E2 - F3|E2 - D3|F2 - F3|F2 - G3|"
                      "F2 - E3|G2 - G3|G2 - H3|G2 - F3|H2 - H3|H2 - G3"));
        QCOMPARE(movesOf(board, ZarvikBoard::black),
                 list("A7 - A6|A7 - B6|B7 - B6|B7 - C6|B7 - A6|C7 - C6|C7 - D6|C7 - B6|"
                      "D7 - D6|D7 - E6|D7 - C6|E7 - E6|E7 - F6|E7 - D6|F7 - F6|F7 - G6|"
                      "F7 - E6|G7 - G6|G7 - H6|G7 - F6|H7 - H6|H7 - G6"));
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
        row("black free", "D5:2", "D5", "D5 - D4|D5 - E4|D5 - C4");
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
        QFETCH(QStringList, moves);
        ZarvikBoard board;
        position(board, stones);
        QCOMPARE(movesFrom(board, cell.constData()), moves);
    }

    void owner()
    {
        const ZarvikBoard board;
        const std::pair<int, int> owners[] = {{0, 2}, {4, 0}, {2, 1}, {1, 1}, {3, 1}, {9, 1}, {-1, 1}};
        for (const auto &o : owners)
            QCOMPARE(board.owner(o.first), o.second);
    }

    void hasWonLooksForExactCodes_data()
    {
        QTest::addColumn<QString>("stones");
        QTest::addColumn<bool>("redWins");
        QTest::addColumn<bool>("blackWins");
        QTest::newRow("red A8") << "A8:4" << true << false;
        QTest::newRow("red H8") << "H8:4" << true << false;
        QTest::newRow("black A1") << "A1:2" << false << true;
        QTest::newRow("black H1") << "H1:2" << false << true;
        QTest::newRow("code 3 on row 8") << "D8:3" << false << false;
        QTest::newRow("code 1 on row 1") << "D1:1" << false << false;
        QTest::newRow("other code on row 1") << "D1:9" << false << false;
        QTest::newRow("own back rows") << "D1:4 D8:2" << false << false;
        QTest::newRow("empty board") << "" << false << false;
    }
    void hasWonLooksForExactCodes()
    {
        QFETCH(QString, stones);
        ZarvikBoard board;
        position(board, stones);
        QTEST(board.hasWon(ZarvikBoard::red), "redWins");
        QTEST(board.hasWon(ZarvikBoard::black), "blackWins");
        QVERIFY(!board.isDraw(ZarvikBoard::red) && !board.isDraw(ZarvikBoard::black));
    }

    void wonGameStopsGenerationOnly_data()
    {
        QTest::addColumn<QString>("stones");
        QTest::newRow("red won") << "D8:4 B6:2 F3:4";
        QTest::newRow("black won") << "D1:2 B6:2 F3:4";
    }
    void wonGameStopsGenerationOnly()
    {
        QFETCH(QString, stones);
        ZarvikBoard board;
        position(board, stones);
        QVERIFY(movesOf(board, ZarvikBoard::red).isEmpty());
        QVERIFY(movesOf(board, ZarvikBoard::black).isEmpty());
        QCOMPARE(movesFrom(board, "B6"), list("B6 - B5|B6 - C5|B6 - A5"));
        QCOMPARE(movesFrom(board, "F3"), list("F3 - F4|F3 - G4|F3 - E4"));
        QVERIFY(board.isLegal(move("F3", "G4"), ZarvikBoard::red));
    }

    // Red has no stones; black's stones are all blocked (codes 1 on row 1 do not win).
    void noStonesOrAllBlocked()
    {
        ZarvikBoard board;
        position(board, "A2:2 A1:1 B1:1");
        QVERIFY(movesOf(board, ZarvikBoard::red).isEmpty());
        QVERIFY(movesOf(board, ZarvikBoard::black).isEmpty());
        for (int side : {ZarvikBoard::red, ZarvikBoard::black})
            QVERIFY(!board.hasWon(side) && !board.isDraw(side));
    }

    void isLegalRefuses()
    {
        ZarvikBoard board;
        const int red = ZarvikBoard::red;
        QVERIFY(board.isLegal(move("B2", "B3"), red));
        QVERIFY(!board.isLegal(move("D4", "D5"), red));                   // empty origin
        QVERIFY(!board.isLegal(move("A7", "A6"), red));                   // enemy stone
        QVERIFY(board.isLegal(move("A7", "A6"), ZarvikBoard::black));
        QVERIFY(!board.isLegal(move("B1", "B2"), red));                   // own stone ahead
        QVERIFY(!board.isLegal(move("B2", "D3"), red));
        QVERIFY(!board.isLegal(move("B2", "B4"), red));
        QVERIFY(!board.isLegal(Move(1, 6, -1, -1), red));                 // no destination
        for (const Move &offBoard : {Move(-1, 6, 0, 5), Move(8, 6, 7, 5), Move(1, 8, 1, 7),
                                     Move(1, -1, 1, 0), Move(INT_MIN, INT_MAX, 0, 0)})
            QVERIFY(!board.isLegal(offBoard, red));
        position(board, "D4:4 E4:2 D5:2");
        QVERIFY(!board.isLegal(move("D4", "D3"), red));                   // backward
        QVERIFY(!board.isLegal(move("D4", "E4"), red));                   // sideways
        QVERIFY(!board.isLegal(move("D4", "D5"), red));                   // straight onto a stone
        QVERIFY(board.isLegal(move("E4", "D3"), ZarvikBoard::black));
    }

    // Over random games: every generated move is legal for its side only, and the
    // score of one side is the opposite of the other's.
    void generatedMovesAreLegalAndScoresOpposite()
    {
        for (quint32 seed = 1; seed <= 60; ++seed) {
            ZarvikBoard board;
            if (seed % 2)
                scatter(board, seed);
            playRandomGame(board, seed, [&](int side) {
                MoveList list;
                board.generateMoves(side, list);
                for (int i = 0; i < list.count; ++i) {
                    QVERIFY(board.isLegal(list.moves[i], side));
                    QVERIFY(!board.isLegal(list.moves[i], 1 - side));
                }
                for (int level = 1; level <= 3; ++level)
                    QCOMPARE(board.evaluate(side, 2, level), -board.evaluate(1 - side, 2, level));
            });
        }
    }

    void evaluateInitialAndFirstStep()
    {
        ZarvikBoard board;
        for (int level = 1; level <= 3; ++level)
            QCOMPARE(board.evaluate(ZarvikBoard::red, 0, level), 0);
        Move step = move("B2", "B3");
        board.applyMove(step);
        QCOMPARE(board.evaluate(ZarvikBoard::red, 1, 3), 2);
        QCOMPARE(board.evaluate(ZarvikBoard::black, 1, 3), -2);
        for (int level = 1; level <= 2; ++level)
            QCOMPARE(board.evaluate(ZarvikBoard::red, 1, level), 0);
    }

    void evaluate_data()
    {
        QTest::addColumn<QString>("stones");
        QTest::addColumn<int>("player");
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("score");
        for (int level = 1; level <= 3; ++level) {
            const QByteArray l = " level " + QByteArray::number(level);
            QTest::newRow("red won, red" + l) << "D8:4 B6:2" << 0 << 3 << level << 9997;
            QTest::newRow("red won, black" + l) << "D8:4 B6:2" << 1 << 3 << level << -9997;
            QTest::newRow("black won, black" + l) << "E1:2 C3:4" << 1 << 5 << level << 9995;
            QTest::newRow("black won, red" + l) << "E1:2 C3:4" << 0 << 0 << level << -10000;
        }
        QTest::newRow("code 3 on row 8 wins nothing") << "D8:3" << 0 << 3 << 3 << -5;
        // Red D4 and black C5 threaten each other; red A3 (+4) is safe, since code 1
        // on B4 does not attack, but it threatens B4; black G6 (+4) and code 3 on H5
        // (+6) are safe; red A7 and black B8 threaten each other across the edge.
        // Red 3 stones, black 5: material -10.
        const char *mixed = "D4:4 C5:2 A3:4 B4:1 G6:2 H5:3 A7:4 B8:2";
        QTest::newRow("mixed red level 1") << mixed << 0 << 2 << 1 << -10;
        QTest::newRow("mixed red level 2") << mixed << 0 << 2 << 2 << -10;
        QTest::newRow("mixed red level 3") << mixed << 0 << 2 << 3 << -10 + 4 - 4 - 6;
        QTest::newRow("mixed black level 3") << mixed << 1 << 2 << 3 << 10 - 4 + 4 + 6;
    }
    void evaluate()
    {
        QFETCH(QString, stones);
        QFETCH(int, player);
        QFETCH(int, depth);
        QFETCH(int, level);
        ZarvikBoard board;
        position(board, stones);
        QTEST(board.evaluate(player, depth, level), "score");
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
