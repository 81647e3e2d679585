#include "ZarvikBoard.h"

#include <QtTest>

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
};

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
