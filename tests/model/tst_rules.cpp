// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReferenceEvaluation.h"
#include "TestBoards.h"

class TestRules : public QObject
{
    Q_OBJECT
    ZarvikBoard board;

private slots:
    void init() { board.resetToInitial(); }

    void perftFromInitialPosition()
    {
        const quint64 leaves[] = {22, 484, 11132, 256036};
        for (int depth = 1; depth <= 4; ++depth)
            QCOMPARE(perft(board, red, depth), leaves[depth - 1]);
    }

    // The computer player takes the first of equal scores, so the order matters:
    // column by column, each from the top; straight, higher column, lower column.
    void moveOrder()
    {
        QVERIFY(movesOf(board, red).startsWith("A2 - A3|A2 - B3|B2 - B3|B2 - C3|B2 - A3|C2 - C3|C2 - D3|C2 - B3|D2"));
        position(board, "B3:4 A2:4 B5:4 C4:2");
        QCOMPARE(movesOf(board, red), QString("A2 - A3|B5 - B6|B5 - C6|B5 - A6|B3 - B4|B3 - C4|B3 - A4"));
    }

    // The moves of the first stone named: blocking, taking, edges, goal rows, and
    // codes other than 2 and 4 moving as black stones.
    void stoneMoves()
    {
        const struct { const char *stones, *moves; } cases[] = {
            {"D4:4", "D4 - D5|D4 - E5|D4 - C5"}, {"D4:4 D5:4 C5:4", "D4 - E5"}, {"D4:4 D5:2 E5:2", "D4 - E5|D4 - C5"},
            {"D5:2 D4:4 C4:4 E4:4", "D5 - E4|D5 - C4"}, {"A4:4", "A4 - A5|A4 - B5"}, {"H5:2", "H5 - H4|H5 - G4"},
            {"D8:4", ""}, {"D1:2", ""}, {"D1:1", ""}, {"D4:0 D5:2", ""}, {"D8:3", "D8 - D7|D8 - E7|D8 - C7"},
            {"D5:1 D4:2 E4:4 C4:3", "D5 - E4"}, {"D5:-1 C4:9", "D5 - D4|D5 - E4"},
            {"D4:4 C5:3 E5:1 D5:9", "D4 - E5|D4 - C5"}};
        for (const auto &c : cases) {
            position(board, c.stones);
            QCOMPARE(movesOf(board, red, c.stones), QString(c.moves));
        }
    }

    // Only the exact codes 4 on row 8 and 2 on row 1 win; once won, neither side gets
    // moves, and the score is 10000 less the depth for the winner.
    void winning()
    {
        const struct { const char *stones; std::optional<Side> winner; } cases[] = {{"A8:4", red}, {"H8:4", red},
            {"A1:2", black}, {"H1:2", black}, {"D8:3", {}}, {"D1:1", {}}, {"D1:9", {}}, {"D1:4 D8:2", {}}};
        for (const auto &c : cases) {
            position(board, qPrintable(QString(c.stones) + " B6:2 F3:4"));
            QVERIFY2(board.hasWon(red) == (c.winner == red) && board.hasWon(black) == (c.winner == black), c.stones);
            QCOMPARE(movesOf(board, red).isEmpty() + movesOf(board, black).isEmpty(), c.winner ? 2 : 0);
            for (int level = 1; c.winner && level <= 3; ++level)
                QVERIFY(ReferenceEvaluation::evaluate(board, *c.winner, 3, level) == 9997
                        && ReferenceEvaluation::evaluate(board, ~*c.winner, 0, level) == -10000);
        }
    }

    void isLegal()
    {
        position(board, "B2:4 B1:4 D4:4 E4:2 D5:2");
        QVERIFY(board.isLegal(move("B2", "B3"), red) && board.isLegal(move("E4", "D3"), black));
        // Enemy's stone, empty origin, own stone ahead, too far, backward, sideways,
        // straight onto a stone, no destination, off the board.
        const std::pair<Move, Side> refused[] = {{move("B2", "B3"), black}, {move("C4", "C5"), red},
            {move("B1", "B2"), red}, {move("B2", "D3"), red}, {move("B2", "B4"), red}, {move("D4", "D3"), red},
            {move("D4", "E4"), red}, {move("D4", "D5"), red}, {Move(1, 6, -1, -1), red}, {Move(-1, 6, 0, 5), red},
            {Move(8, 6, 7, 5), red}, {Move(1, 8, 1, 7), red}, {Move(1, -1, 1, 0), black},
            {Move(INT_MIN, INT_MAX, 0, 0), red}};
        for (const auto &r : refused)
            QVERIFY2(!board.isLegal(r.first, r.second), qPrintable(r.first.toText(8, 8)));
    }

    // Red D4 and black C5 threaten each other; red A3 is safe (+4), as code 1 on B4
    // does not attack, but threatens B4; black G6 (+4) and code 3 on H5 (+6) are safe;
    // red A7 and black B8 threaten each other across the edge.
    void evaluate()
    {
        for (int level = 1; level <= 3; ++level)
            for (Side side : bothSides) {
                const int sign = side == red ? 1 : -1;
                board.resetToInitial();
                QCOMPARE(ReferenceEvaluation::evaluate(board, side, 0, level), 0);
                std::swap(board.cells[1][5], board.cells[1][6]); // B2 - B3
                QCOMPARE(ReferenceEvaluation::evaluate(board, side, 1, level), sign * (level == 3 ? 2 : 0));
                position(board, "D4:4 C5:2 A3:4 B4:1 G6:2 H5:3 A7:4 B8:2");
                QCOMPARE(ReferenceEvaluation::evaluate(board, side, 2, level), sign * (level == 3 ? -16 : -10));
            }
    }

    // Half the games start with odd codes, so that every kind of stone is captured
    // and put back. Undoing, or a reset, keeps lastMove.
    void undoInReverseRestoresEveryCell()
    {
        for (quint32 seed = 1; seed <= 200; ++seed) {
            std::vector<decltype(board.cells)> before;
            std::vector<Move> played; // played[i] led from before[i - 1] to before[i]
            playRandomGame(board, seed, [&](Side) { before.push_back(board.cells), played.push_back(board.lastMove); });
            for (size_t i = played.size() - 1; i > 0; --i) {
                QCOMPARE(played[i].captured, before[i - 1][played[i].toX][played[i].toY]);
                board.undoMove(played[i]);
                QVERIFY2(board.cells == before[i - 1], qPrintable(QString("seed %1, ply %2").arg(seed).arg(i)));
            }
            board.resetToInitial();
            QVERIFY(board.lastMove == played.back());
        }
    }

    // The 512th move logs once; a further one is dropped in release builds (asserted
    // against in debug builds), never written past the end.
    void moveListFillsUp()
    {
        static QStringList logged;
        struct { MoveList list; Move after{7, 7, 7, 7}; } full;
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) { logged << text; });
        for (int i = 0; i < MoveList::capacity; ++i)
            full.list.add(i % 8, i / 8 % 8, 7 - i % 8, 3);
        const QStringList atFull = logged;
#ifdef QT_NO_DEBUG
        full.list.add(1, 1, 2, 2);
#endif
        qInstallMessageHandler(previous);
        QVERIFY(atFull == logged && logged == QStringList("trop long! 512"));
        QVERIFY(full.list.count == 512 && full.list.moves[511] == Move(7, 7, 0, 3) && full.after == Move(7, 7, 7, 7));
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
