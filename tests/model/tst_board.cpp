#include "TestBoards.h"

#include <QtTest>

using namespace TestBoards;

static QStringList loggedMessages;

static void logMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    loggedMessages << message;
}

// All five fields, so that comparisons see captured too.
static QList<int> fields(const Move &m)
{
    return {m.fromX, m.fromY, m.toX, m.toY, m.captured};
}

class TestBoard : public QObject
{
    Q_OBJECT

private slots:
    void init() { loggedMessages.clear(); }

    // Half the games start from a scatter of odd codes so that every kind of stone
    // is captured and restored.
    void undoInReverseRestoresEveryCell()
    {
        int plies = 0;
        int captures = 0;
        for (quint32 seed = 1; seed <= 200; ++seed) {
            ZarvikBoard board;
            if (seed % 2)
                scatter(board, seed);
            std::vector<std::vector<std::vector<int>>> before;
            const std::vector<Move> played =
                playRandomGame(board, seed, [&](int) { before.push_back(board.cells); });
            QCOMPARE(before.size(), played.size() + 1);
            for (size_t i = 0; i < played.size(); ++i) {
                const Move &m = played[i];
                QCOMPARE(m.captured, before[i][m.toX][m.toY]);
                captures += m.captured != 0;
            }
            if (!played.empty())
                QCOMPARE(fields(board.lastMove), fields(played.back()));
            for (size_t i = played.size(); i-- > 0;) {
                board.undoMove(played[i]);
                QVERIFY2(board.cells == before[i], qPrintable(QString("seed %1, ply %2").arg(seed).arg(i)));
            }
            plies += int(played.size());
        }
        QVERIFY2(plies > 200 * 20 && captures > 500, qPrintable(QString("%1 plies, %2 captures").arg(plies).arg(captures)));
    }

    void applyFillsCapturedAndLastMoveStays()
    {
        ZarvikBoard board;
        QCOMPARE(fields(board.lastMove), QList<int>({0, 0, 0, 0, 0}));
        position(board, "D4:4 E5:3");
        Move take = move("D4", "E5");
        take.captured = 7;
        board.applyMove(take);
        QCOMPARE(take.captured, 3);
        QCOMPARE(board.cells[4][3], 4);
        QCOMPARE(board.cells[3][4], 0);
        QCOMPARE(fields(board.lastMove), fields(take));

        Move step = move("E5", "E6");
        step.captured = 7;
        board.applyMove(step);
        QCOMPARE(step.captured, 0);
        board.undoMove(step);
        board.undoMove(take);
        QCOMPARE(board.cells[3][4], 4);
        QCOMPARE(board.cells[4][3], 3);
        QCOMPARE(fields(board.lastMove), fields(step));

        board.resetToInitial();
        QCOMPARE(fields(board.lastMove), fields(step));
        QTemporaryDir dir;
        const QString path = dir.filePath("b.brd");
        QVERIFY(board.saveToFile(path));
        QVERIFY(board.loadFromFile(path));
        QCOMPARE(fields(board.lastMove), fields(step));
    }

    void moveEqualityIgnoresCaptured()
    {
        QCOMPARE(fields(Move()), QList<int>({0, 0, 0, 0, 0}));
        QCOMPARE(fields(Move(1, 2, 3, 4)), QList<int>({1, 2, 3, 4, 0}));
        const Move a(1, 6, 2, 5);
        Move b = a;
        b.captured = 2;
        QVERIFY(a == b && !(a != b));
        for (const Move &other : {Move(0, 6, 2, 5), Move(1, 5, 2, 5), Move(1, 6, 1, 5), Move(1, 6, 2, 4)})
            QVERIFY(a != other && !(a == other));
    }

    void moveListLogsWhenFull()
    {
        MoveList list;
        QCOMPARE(list.count, 0);
        const QtMessageHandler previous = qInstallMessageHandler(logMessage);
        for (int i = 0; i < MoveList::capacity - 1; ++i)
            list.add(i % 8, i / 8 % 8, 7 - i % 8, 3);
        const QStringList beforeFull = loggedMessages;
        list.add(5, 6, 4, 5);
        qInstallMessageHandler(previous);
        QCOMPARE(beforeFull, QStringList());
        QCOMPARE(loggedMessages, QStringList("trop long! 512"));
        QCOMPARE(list.count, 512);
        QCOMPARE(fields(list.moves[1]), QList<int>({1, 0, 6, 3, 0}));
        QCOMPARE(fields(list.moves[511]), QList<int>({5, 6, 4, 5, 0}));
    }

    void addToFullListWritesNothingPastTheEnd()
    {
#ifndef QT_NO_DEBUG
        QSKIP("a full list is an asserted precondition in debug builds");
#endif
        struct Guarded
        {
            MoveList list;
            Move after[4];
        } guarded;
        for (Move &m : guarded.after)
            m = Move(7, 7, 7, 7);
        const QtMessageHandler previous = qInstallMessageHandler(logMessage);
        for (int i = 0; i <= MoveList::capacity; ++i)
            guarded.list.add(1, 1, 2, 2);
        qInstallMessageHandler(previous);
        QCOMPARE(guarded.list.count, MoveList::capacity);
        QCOMPARE(loggedMessages.size(), 1);
        for (const Move &m : guarded.after)
            QCOMPARE(fields(m), QList<int>({7, 7, 7, 7, 0}));
    }
};

QTEST_APPLESS_MAIN(TestBoard)
#include "tst_board.moc"
