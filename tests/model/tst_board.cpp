#include "TestBoards.h"

#include <QtTest>

using namespace TestBoards;

namespace {

QStringList logged;

// All five fields, so that comparisons see captured too.
QList<int> fields(const Move &m)
{
    return {m.fromX, m.fromY, m.toX, m.toY, m.captured};
}

} // namespace

class TestBoard : public QObject
{
    Q_OBJECT

private slots:
    // Half the games start from a scatter of odd codes, so that every kind of
    // stone is captured and put back. Undoing keeps lastMove.
    void undoInReverseRestoresEveryCell()
    {
        int plies = 0, captures = 0;
        for (quint32 seed = 1; seed <= 200; ++seed) {
            ZarvikBoard board;
            if (seed % 2)
                scatter(board, seed);
            std::vector<std::vector<std::vector<int>>> before;
            const auto played = playRandomGame(board, seed, [&](int) { before.push_back(board.cells); });
            for (size_t i = played.size(); i-- > 0;) {
                const Move &m = played[i];
                QCOMPARE(m.captured, before[i][m.toX][m.toY]);
                captures += m.captured != 0;
                board.undoMove(m);
                QVERIFY2(board.cells == before[i], qPrintable(QString("seed %1, ply %2").arg(seed).arg(i)));
            }
            QCOMPARE(fields(board.lastMove), fields(played.empty() ? Move() : played.back()));
            plies += int(played.size());
        }
        QVERIFY(plies > 4000 && captures > 500);
    }

    void capturedAndLastMove()
    {
        ZarvikBoard board;
        QCOMPARE(fields(board.lastMove), QList<int>({0, 0, 0, 0, 0}));
        position(board, "D4:4 E5:3");
        Move take = move("D4", "E5"), step = move("E5", "E6");
        take.captured = step.captured = 7;
        board.applyMove(take);
        QVERIFY(take.captured == 3 && board.cells[4][3] == 4 && board.cells[3][4] == 0);
        QCOMPARE(fields(board.lastMove), fields(take));
        board.applyMove(step);
        QCOMPARE(step.captured, 0);
        board.resetToInitial();
        QCOMPARE(fields(board.lastMove), fields(step));
        QTemporaryDir dir;
        QVERIFY(board.saveToFile(dir.filePath("b.brd")) && board.loadFromFile(dir.filePath("b.brd")));
        QCOMPARE(fields(board.lastMove), fields(step));
    }

    void moveEqualityIgnoresCaptured()
    {
        QCOMPARE(fields(Move(1, 2, 3, 4)), QList<int>({1, 2, 3, 4, 0}));
        Move a(1, 6, 2, 5), b = a;
        b.captured = 2;
        QVERIFY(a == b && !(a != b));
        for (const Move &other : {Move(0, 6, 2, 5), Move(1, 5, 2, 5), Move(1, 6, 1, 5), Move(1, 6, 2, 4)})
            QVERIFY(a != other && !(a == other));
    }

    // The 512th move logs once. A further add is dropped in release builds, not
    // written past the end; in debug builds it is an asserted precondition.
    void moveListFillsUp()
    {
        struct { MoveList list; Move after[2]; } guarded;
        QCOMPARE(guarded.list.count, 0);
        guarded.after[0] = guarded.after[1] = Move(7, 7, 7, 7);
        logged.clear();
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) { logged << text; });
        for (int i = 0; i < MoveList::capacity - 1; ++i)
            guarded.list.add(i % 8, i / 8 % 8, 7 - i % 8, 3);
        const QStringList beforeFull = logged;
        guarded.list.add(5, 6, 4, 5);
#ifdef QT_NO_DEBUG
        guarded.list.add(1, 1, 2, 2);
#endif
        qInstallMessageHandler(previous);
        QCOMPARE(beforeFull, QStringList());
        QCOMPARE(logged, QStringList("trop long! 512"));
        QCOMPARE(guarded.list.count, 512);
        QCOMPARE(fields(guarded.list.moves[1]), QList<int>({1, 0, 6, 3, 0}));
        QCOMPARE(fields(guarded.list.moves[511]), QList<int>({5, 6, 4, 5, 0}));
        for (const Move &m : guarded.after)
            QCOMPARE(fields(m), QList<int>({7, 7, 7, 7, 0}));
    }
};

QTEST_APPLESS_MAIN(TestBoard)
#include "tst_board.moc"
