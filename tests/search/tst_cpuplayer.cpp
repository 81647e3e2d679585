#include "CPUPlayer.h"
#include "FastSearch.h"
#include "ZarvikBoard.h"

#include <QtTest>

#include <mutex>

namespace {

std::mutex messagesLock;
QStringList messages;

void keepMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    std::lock_guard<std::mutex> lock(messagesLock);
    messages << text;
}

QStringList takeMessages()
{
    std::lock_guard<std::mutex> lock(messagesLock);
    QStringList taken;
    taken.swap(messages);
    return taken;
}

// Counts every use of the rules that does not come from the GUI thread.
class WatchedBoard : public ZarvikBoard
{
public:
    void applyMove(Move &move) override { note(), ZarvikBoard::applyMove(move); }
    void undoMove(const Move &move) override { note(), ZarvikBoard::undoMove(move); }
    void generateMovesFrom(int x, int y, MoveList &list) const override { note(), ZarvikBoard::generateMovesFrom(x, y, list); }
    void generateMoves(int player, MoveList &list) const override { note(), ZarvikBoard::generateMoves(player, list); }
    int owner(int code) const override { return note(), ZarvikBoard::owner(code); }
    bool hasWon(int player) const override { return note(), ZarvikBoard::hasWon(player); }
    int evaluate(int player, int depth, int level) const override { return note(), ZarvikBoard::evaluate(player, depth, level); }
    bool isLegal(const Move &move, int player) const override { return note(), ZarvikBoard::isLegal(move, player); }

    mutable std::atomic<int> foreignCalls{0};

private:
    void note() const
    {
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            ++foreignCalls;
    }
};

// Red stones only on rows 4 and 5 (labels), so no red move of the initial position is
// legal here.
void setMiddleGame(Board &board)
{
    for (auto &column : board.cells)
        std::fill(column.begin(), column.end(), 0);
    for (int x = 0; x < 8; ++x)
        board.cells[x][x % 2] = ZarvikBoard::blackStone;
    board.cells[2][4] = board.cells[3][3] = board.cells[5][4] = board.cells[6][3] = ZarvikBoard::redStone;
}

QString depthLine(const char *colour, int depth)
{
    return QStringLiteral("Minimax: Profondeur joueur  \"%1\" :  %2").arg(QLatin1String(colour)).arg(depth);
}

// The root scores of a complete search of the given depth: they do not depend on the
// seed, so the player's move must be one with the best of them.
class LastDepth : public DepthListener
{
public:
    void depthCompleted(const DepthReport &completed) override { report = completed; }
    int scoreOf(const Move &move) const
    {
        for (int i = 0; i < report.moveCount; ++i)
            if (report.moves[i] == move)
                return report.scores[i];
        return INT_MIN;
    }
    DepthReport report;
};

LastDepth searchedTo(const Board &board, int color, int level, int depth)
{
    FastSearch search;
    search.setPosition(board);
    LastDepth last;
    search.run(SearchSettings{color, level, depth, -1, 1}, std::atomic<bool>(false), &last);
    return last;
}

// Extracts the depth of the one debug line "Minimax: ..." of a search.
int reportedDepth(const QStringList &lines, const char *colour)
{
    const QString prefix = depthLine(colour, 0).chopped(1);
    if (lines.size() != 1 || !lines.first().startsWith(prefix))
        return -1;
    return lines.first().mid(prefix.size()).toInt();
}

constexpr int patience = 60000; // ms: a loaded machine may be slow, never this slow

} // namespace

class TestCPUPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qInstallMessageHandler(keepMessage); }
    void cleanupTestCase() { qInstallMessageHandler(nullptr); }
    void init() { takeMessages(); }

    void levelFixesDepthAndOpponent()
    {
        ZarvikBoard board;
        const CPUPlayer first(&board, ZarvikBoard::red, 10, 1);
        QCOMPARE(first.maxDepth, 2);
        QCOMPARE(first.opponent, 1);
        const CPUPlayer second(&board, ZarvikBoard::black, 10, 3);
        QCOMPARE(second.maxDepth, 20);
        QCOMPARE(second.opponent, 0);
    }

    void levelOneSearchesOneDepth_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<QString>("colour");
        QTest::newRow("red") << int(ZarvikBoard::red) << QStringLiteral("rouge");
        QTest::newRow("black") << int(ZarvikBoard::black) << QStringLiteral("noir");
    }
    void levelOneSearchesOneDepth()
    {
        QFETCH(int, color);
        QFETCH(QString, colour);
        ZarvikBoard board;
        setMiddleGame(board);
        CPUPlayer player(&board, color, 100000, 1);
        QSignalSpy ready(&player, &CPUPlayer::MoveReady);
        color == ZarvikBoard::red ? player.StartGame() : player.RequestMove();
        QVERIFY(ready.wait(patience));
        QTest::qWait(50);
        QCOMPARE(ready.count(), 1);
        QCOMPARE(takeMessages(), QStringList{depthLine(qPrintable(colour), 2)});
        QCOMPARE(player.TakeMove(), &player.move);
        QVERIFY(board.isLegal(player.move, color));
        const LastDepth best = searchedTo(board, color, 1, 2);
        QCOMPARE(best.scoreOf(player.move), best.report.bestScore);
    }

    // With no time to spare, levels 2 and 3 stop well before depth 20 and hand over the
    // best move of the last depth they completed.
    void timeOutKeepsLastCompletedDepth_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("level 2") << 2;
        QTest::newRow("level 3") << 3;
    }
    void timeOutKeepsLastCompletedDepth()
    {
        QFETCH(int, level);
        ZarvikBoard board;
        CPUPlayer player(&board, ZarvikBoard::red, 0, level);
        QSignalSpy ready(&player, &CPUPlayer::MoveReady);
        player.StartGame();
        QVERIFY(ready.wait(patience));
        const int depth = reportedDepth(takeMessages(), "rouge");
        QVERIFY2(depth >= 2 && depth < 20, qPrintable(QString::number(depth)));
        QVERIFY(board.isLegal(player.move, ZarvikBoard::red));
        const LastDepth best = searchedTo(board, ZarvikBoard::red, level, depth);
        QCOMPARE(best.scoreOf(player.move), best.report.bestScore);
    }

    void searchNeverTouchesTheSharedBoard()
    {
        WatchedBoard board;
        setMiddleGame(board);
        CPUPlayer player(&board, ZarvikBoard::red, 0, 3);
        QSignalSpy ready(&player, &CPUPlayer::MoveReady);
        player.StartGame();
        // The GUI may load another position while the computer thinks.
        board.resetToInitial();
        QVERIFY(ready.wait(patience));
        QCOMPARE(board.foreignCalls.load(), 0);
        setMiddleGame(board);
        QVERIFY(board.isLegal(player.move, ZarvikBoard::red));
    }

    void destructionMidSearchIsSilent()
    {
        ZarvikBoard board;
        auto *player = new CPUPlayer(&board, ZarvikBoard::red, 100000, 3);
        int moveReadies = 0;
        QObject receiver;
        connect(player, &CPUPlayer::MoveReady, &receiver, [&moveReadies] { ++moveReadies; });
        player->StartGame();
        QTest::qWait(300);
        QVERIFY(player->isRunning());
        delete player;
        QTest::qWait(200);
        QCOMPARE(moveReadies, 0);
        QCOMPARE(takeMessages(), QStringList());
    }

    void cancelMidSearchIsSilent()
    {
        ZarvikBoard board;
        CPUPlayer player(&board, ZarvikBoard::black, 100000, 2);
        QSignalSpy ready(&player, &CPUPlayer::MoveReady);
        player.RequestMove();
        QTest::qWait(300);
        player.cancelSearch();
        QVERIFY(!player.isRunning());
        QTest::qWait(200);
        QCOMPARE(ready.count(), 0);
        QCOMPARE(takeMessages(), QStringList());
        QCOMPARE(player.move, Move());
    }

    // A search that has ended but whose finished() still waits in the event queue is
    // cancelled all the same; the next search is announced once.
    void cancelDropsQueuedResult()
    {
        ZarvikBoard board;
        CPUPlayer player(&board, ZarvikBoard::red, 100000, 1);
        QSignalSpy ready(&player, &CPUPlayer::MoveReady);
        player.RequestMove();
        QVERIFY(player.wait(patience));
        player.cancelSearch();
        QTest::qWait(200);
        QCOMPARE(ready.count(), 0);
        QCOMPARE(player.move, Move());
        takeMessages();
        player.RequestMove();
        QVERIFY(ready.wait(patience));
        QTest::qWait(50);
        QCOMPARE(ready.count(), 1);
        QVERIFY(board.isLegal(player.move, ZarvikBoard::red));
    }

    // A side without any move is never asked by the controller; should it be, its
    // record is one that the legality check refuses.
    void sideWithoutMovesGivesNoLegalMove()
    {
        ZarvikBoard board;
        for (auto &column : board.cells)
            std::fill(column.begin(), column.end(), 0);
        board.cells[3][5] = ZarvikBoard::redStone;
        board.cells[0][7] = 1; // black, but on its last row: it cannot move
        CPUPlayer player(&board, ZarvikBoard::black, 100000, 1);
        QSignalSpy ready(&player, &CPUPlayer::MoveReady);
        player.RequestMove();
        QVERIFY(ready.wait(patience));
        QVERIFY(!board.isLegal(player.move, ZarvikBoard::black));
    }
};

QTEST_MAIN(TestCPUPlayer)
#include "tst_cpuplayer.moc"
