#include "CPUPlayer.h"
#include "FastSearch.h"
#include "ZarvikBoard.h"

#include <QtTest>

#include <mutex>

namespace {
constexpr int red = ZarvikBoard::red, black = ZarvikBoard::black;
constexpr int patience = 60000; // ms: a loaded machine may be slow, never this slow

std::mutex messagesLock;
QStringList messages; // the debug lines, from every thread

QStringList takeMessages()
{
    std::lock_guard<std::mutex> lock(messagesLock);
    return std::exchange(messages, {});
}

const QString depthLine = "Minimax: Profondeur joueur  \"%1\" :  %2"; // colour, depth

// Counts every use of the rules that does not come from the GUI thread.
class WatchedBoard : public ZarvikBoard
{
public:
    void applyMove(Move &move) override { note(), ZarvikBoard::applyMove(move); }
    void undoMove(const Move &move) override { note(), ZarvikBoard::undoMove(move); }
    void generateMovesFrom(int x, int y, MoveList &list) const override
    {
        note(), ZarvikBoard::generateMovesFrom(x, y, list);
    }
    void generateMoves(int player, MoveList &list) const override { note(), ZarvikBoard::generateMoves(player, list); }
    int owner(int code) const override { return note(), ZarvikBoard::owner(code); }
    bool hasWon(int player) const override { return note(), ZarvikBoard::hasWon(player); }
    int evaluate(int player, int depth, int level) const override
    {
        return note(), ZarvikBoard::evaluate(player, depth, level);
    }
    bool isLegal(const Move &move, int player) const override { return note(), ZarvikBoard::isLegal(move, player); }

    mutable std::atomic<int> foreignCalls{0};

private:
    void note() const { foreignCalls += QThread::currentThread() != QCoreApplication::instance()->thread(); }
};

// Red stones only on rows 4 and 5, so that no red move of the initial position is
// legal here.
void setMiddleGame(Board &board)
{
    board.cells.assign(8, std::vector<int>(8, 0));
    for (int x = 0; x < 8; ++x)
        board.cells[x][x % 2] = ZarvikBoard::blackStone;
    board.cells[2][4] = board.cells[3][3] = board.cells[5][4] = board.cells[6][3] = ZarvikBoard::redStone;
}

// Whether the move has the best root score of a complete search to the depth: root
// scores do not depend on the seed, the choice among equal ones does.
bool hasBestScore(const Board &board, const Move &move, int color, int level, int depth)
{
    struct : DepthListener {
        void depthCompleted(const DepthReport &report) override { last = report; }
        DepthReport last;
    } log;
    FastSearch search;
    search.setPosition(board);
    search.run({color, level, depth, -1, 1}, std::atomic<bool>(false), &log);
    const DepthReport &last = log.last;
    const Move *found = std::find(last.moves, last.moves + last.moveCount, move);
    return found != last.moves + last.moveCount && last.scores[found - last.moves] == last.bestScore;
}
} // namespace

class TestCPUPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
            std::lock_guard<std::mutex> lock(messagesLock);
            messages << text;
        });
    }

    void init() { takeMessages(); }

    // Level 1 searches depth 2 only, says so once naming the side, and announces one
    // move with the best score. Red is asked by StartGame(), black by RequestMove().
    void levelOneSearchesOneDepth()
    {
        for (int color : {red, black}) {
            ZarvikBoard board;
            setMiddleGame(board);
            CPUPlayer player(&board, color, 100000, 1);
            QSignalSpy ready(&player, &CPUPlayer::MoveReady);
            color == red ? player.StartGame() : player.RequestMove();
            QVERIFY(ready.wait(patience));
            QTest::qWait(50);
            QCOMPARE(ready.count(), 1);
            QCOMPARE(takeMessages(), QStringList(depthLine.arg(color == red ? "rouge" : "noir").arg(2)));
            QVERIFY(player.TakeMove() == &player.move && board.isLegal(player.move, color));
            QVERIFY(hasBestScore(board, player.move, color, 1, 2));
        }
    }

    // With no time to spare, levels 2 and 3 stop well before depth 20 and hand over the
    // best move of the last depth they completed.
    void timeOutKeepsLastCompletedDepth()
    {
        for (int level : {2, 3}) {
            ZarvikBoard board;
            CPUPlayer player(&board, red, 0, level);
            QSignalSpy ready(&player, &CPUPlayer::MoveReady);
            player.StartGame();
            QVERIFY(ready.wait(patience));
            const QStringList lines = takeMessages();
            const bool one = lines.size() == 1 && lines[0].startsWith(depthLine.arg("rouge").chopped(2));
            const int depth = one ? lines[0].section(' ', -1).toInt() : -1;
            QVERIFY2(depth >= 2 && depth < 20, qPrintable(lines.join('\n')));
            QVERIFY(board.isLegal(player.move, red) && hasBestScore(board, player.move, red, level, depth));
        }
    }

    // Level 4 is the expert search: with no time at all it completes its first depth,
    // one ply, which the exact search never reports, and moves.
    void levelFourPlaysTheExpertSearch()
    {
        ZarvikBoard board;
        setMiddleGame(board);
        CPUPlayer player(&board, black, 0, SearchSettings::expertLevel);
        QSignalSpy ready(&player, &CPUPlayer::MoveReady);
        player.RequestMove();
        QVERIFY(ready.wait(patience));
        QCOMPARE(takeMessages(), QStringList(depthLine.arg("noir").arg(1)));
        QVERIFY(board.isLegal(player.move, black));
    }

    // The search works on a copy: the GUI may load another position meanwhile.
    void searchNeverTouchesTheSharedBoard()
    {
        WatchedBoard board;
        setMiddleGame(board);
        CPUPlayer player(&board, red, 0, 3);
        QSignalSpy ready(&player, &CPUPlayer::MoveReady);
        player.StartGame();
        board.resetToInitial();
        QVERIFY(ready.wait(patience));
        QCOMPARE(board.foreignCalls.load(), 0);
        setMiddleGame(board);
        QVERIFY(board.isLegal(player.move, red));
    }

    // Stopped mid-search, by its destruction or by cancelSearch(), a player announces
    // and logs nothing; cancelled, it keeps no move.
    void stoppedMidSearchIsSilent()
    {
        for (bool destroy : {true, false}) {
            ZarvikBoard board;
            auto player = std::make_unique<CPUPlayer>(&board, black, 100000, 3);
            QSignalSpy ready(player.get(), &CPUPlayer::MoveReady);
            player->RequestMove();
            QTest::qWait(300);
            QVERIFY(player->isRunning());
            destroy ? player.reset() : player->cancelSearch();
            QVERIFY(destroy || (!player->isRunning() && player->move == Move()));
            QTest::qWait(200);
            QVERIFY(ready.isEmpty() && takeMessages().isEmpty());
        }
    }

    // A search that has ended but whose finished() still waits in the event queue is
    // cancelled all the same; the next search is announced once.
    void cancelDropsQueuedResult()
    {
        ZarvikBoard board;
        CPUPlayer player(&board, red, 100000, 1);
        QSignalSpy ready(&player, &CPUPlayer::MoveReady);
        player.RequestMove();
        QVERIFY(player.wait(patience));
        player.cancelSearch();
        QTest::qWait(200);
        QVERIFY(ready.isEmpty() && player.move == Move());
        takeMessages();
        player.RequestMove();
        QVERIFY(ready.wait(patience));
        QTest::qWait(50);
        QVERIFY(ready.count() == 1 && board.isLegal(player.move, red));
    }
};

QTEST_MAIN(TestCPUPlayer)
#include "tst_cpuplayer.moc"
