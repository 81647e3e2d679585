// SPDX-License-Identifier: GPL-3.0-or-later
#include "CPUPlayer.h"
#include "FastSearch.h"
#include "GameRecord.h"
#include "ZarvikBoard.h"

#include <QtTest>

#include <mutex>

namespace {
constexpr Side red = Side::Red, black = Side::Black;
constexpr int patience = 60000; // ms: a loaded machine may be slow, never this slow

CPUPlayer::Options options(int timeLimit, int level)
{
    CPUPlayer::Options chosen;
    chosen.timeLimit = timeLimit;
    chosen.level = level;
    chosen.pauseMs = 0;
    return chosen;
}

void ask(CPUPlayer &player, const Board &board)
{
    player.play({board, GameRecord::pass, false});
}

Move movedTo(const QSignalSpy &moved)
{
    return moved.last().at(0).value<Move>();
}

std::mutex messagesLock;
QStringList messages; // the debug lines, from every thread

QStringList takeMessages()
{
    std::lock_guard<std::mutex> lock(messagesLock);
    return std::exchange(messages, {});
}

const QString depthLine = "Minimax: Profondeur joueur  \"%1\" :  %2"; // colour, depth

// Red stones only on rows 4 and 5, so that no red move of the initial position is
// legal here.
void setMiddleGame(Board &board)
{
    board.cells.assign(8, std::vector<int>(8, 0));
    for (int x = 0; x < 8; ++x)
        board.cells[x][x % 2] = Piece::blackStone;
    board.cells[2][4] = board.cells[3][3] = board.cells[5][4] = board.cells[6][3] = Piece::redStone;
}

// Whether the move has the best root score of a complete search to the depth: root
// scores do not depend on the seed, the choice among equal ones does.
bool hasBestScore(const Board &board, const Move &move, Side color, int level, int depth)
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
    // move with the best score.
    void levelOneSearchesOneDepth()
    {
        for (Side color : bothSides) {
            ZarvikBoard board;
            setMiddleGame(board);
            CPUPlayer player(color, options(Player::untimed, 1));
            QSignalSpy ready(&player, &Player::moved);
            ask(player, board);
            QVERIFY(ready.wait(patience));
            QVERIFY(!ready.wait(50));
            QCOMPARE(takeMessages(), QStringList(depthLine.arg(color == red ? "rouge" : "noir").arg(2)));
            const Move move = movedTo(ready);
            QVERIFY(board.isLegal(move, color) && hasBestScore(board, move, color, 1, 2));
        }
    }

    // A negative limit is no time at all and no timer is a ceiling: the computer
    // always moves, where its search would otherwise deepen for hours.
    void timeIsAlwaysBounded()
    {
        QCOMPARE(CPUPlayer::searchSeconds(-1), 0);
        QCOMPARE(CPUPlayer::searchSeconds(999), 999);
        QCOMPARE(CPUPlayer::searchSeconds(Player::untimed), int(CPUPlayer::untimedCeilingSeconds));
        ZarvikBoard board;
        CPUPlayer player(red, options(-1, 2));
        QSignalSpy ready(&player, &Player::moved);
        ask(player, board);
        QVERIFY(ready.wait(10000));
        QVERIFY(board.isLegal(movedTo(ready), red));
    }

    // Stopped mid-search, by its destruction or by stop(), a player announces and logs
    // nothing.
    void stoppedMidSearchIsSilent()
    {
        for (bool destroy : {true, false}) {
            ZarvikBoard board;
            auto player = std::make_unique<CPUPlayer>(black, options(Player::untimed, 3));
            QSignalSpy ready(player.get(), &Player::moved);
            ask(*player, board);
            QVERIFY(player->isThinking());
            destroy ? player.reset() : player->stop();
            QVERIFY(destroy || !player->isThinking());
            QVERIFY(!ready.wait(200) && takeMessages().isEmpty());
        }
    }

    // Told to play now, a level-3 search without timer hands over the best move of its
    // last completed depth, or the first legal move before depth 2 is complete.
    void playNowKeepsLastCompletedDepth()
    {
        ZarvikBoard board;
        CPUPlayer player(black, options(Player::untimed, 3));
        QSignalSpy ready(&player, &Player::moved);
        ask(player, board);
        player.playNow();
        QVERIFY(ready.wait(patience));
        const QStringList lines = takeMessages();
        QCOMPARE(lines.size(), 1);
        const int depth = lines[0].section(' ', -1).toInt();
        const Move move = movedTo(ready);
        MoveList moves;
        board.generateMoves(black, moves);
        QVERIFY(depth < 20 && board.isLegal(move, black));
        QVERIFY(depth >= 2 ? hasBestScore(board, move, black, 3, depth) : move == moves.moves[0]);
    }

    // A search that has ended but whose finished() still waits in the event queue is
    // cancelled all the same; the next search is announced once.
    void cancelDropsQueuedResult()
    {
        ZarvikBoard board;
        CPUPlayer player(red, options(Player::untimed, 1));
        QSignalSpy ready(&player, &Player::moved);
        ask(player, board);
        while (player.isThinking()) // no event is processed meanwhile
            QThread::yieldCurrentThread();
        player.stop();
        QVERIFY(!ready.wait(200));
        takeMessages();
        ask(player, board);
        QVERIFY(ready.wait(patience));
        QVERIFY(!ready.wait(50) && board.isLegal(movedTo(ready), red));
    }
};

QTEST_MAIN(TestCPUPlayer)
#include "tst_cpuplayer.moc"
