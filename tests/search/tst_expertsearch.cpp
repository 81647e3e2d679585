// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExpertSearch.h"
#include "TestBoards.h"

namespace {
constexpr int win = ExpertWorker::winScore;

// Keeps the last completed depth; raises the abort flag once depth stopAfter or a
// deeper one (a helper may skip depths) is complete.
struct LastDepth : DepthListener {
    void depthCompleted(const DepthReport &r) override
    {
        last = r;
        abort = abort || (stopAfter > 0 && r.depth >= stopAfter);
    }
    DepthReport last;
    int stopAfter = 0;
    std::atomic<bool> abort{false};
};

SearchSettings settings(Side side, int depth, double timeLimit, int threads)
{
    SearchSettings s{side, SearchSettings::expertLevel, depth, timeLimit, 1};
    s.threads = threads;
    s.tableMegabytes = 4;
    return s;
}

int square(int x, int y) { return BitPosition::square(x, y); }

// Plain alpha-beta to a fixed depth over the expert's quiescence search: no table,
// no ordering, no null windows.
int plainScore(ExpertWorker &leaves, const BitPosition &p, Side side, int alpha, int beta, int depth, int ply)
{
    if (p.anyWon())
        return ply - win;
    if (depth == 0)
        return leaves.quiescence(p, side, alpha, beta, ply);
    Move moves[DepthReport::capacity];
    const int count = p.generateMoves(side, moves);
    if (count == 0)
        return p.generateMoves(~side, moves) == 0 ? 0 : -plainScore(leaves, p, ~side, -beta, -alpha, depth - 1, ply + 1);
    int best = -win - 1;
    for (int i = 0; i < count && best < beta; ++i) {
        const Move &m = moves[i];
        const BitPosition child = p.playedBy(side, square(m.fromX, m.fromY), square(m.toX, m.toY));
        best = std::max(best, -plainScore(leaves, child, ~side, -beta, -std::max(alpha, best), depth - 1, ply + 1));
    }
    return best;
}

bool losesWithin(const BitPosition &p, Side side, int plies);

// Whether side, to move, can force a win within that many plies of both sides.
bool winsWithin(const BitPosition &p, Side side, int plies)
{
    const BitPosition::Steps steps = p.stepsOf(side);
    if (plies <= 0 || !p.winningOf(side, steps).empty())
        return plies > 0;
    if (steps.empty())
        return !p.stepsOf(~side).empty() && losesWithin(p, ~side, plies - 1);
    Move moves[DepthReport::capacity];
    const int count = p.generateMoves(side, moves);
    for (int i = 0; i < count; ++i)
        if (losesWithin(p.playedBy(side, square(moves[i].fromX, moves[i].fromY), square(moves[i].toX, moves[i].toY)),
                        ~side, plies - 1))
            return true;
    return false;
}

// Whether the opponent of side, side to move, can force a win within that many plies.
bool losesWithin(const BitPosition &p, Side side, int plies)
{
    const BitPosition::Steps steps = p.stepsOf(side);
    if (plies <= 1 || !p.winningOf(side, steps).empty())
        return false;
    if (steps.empty())
        return winsWithin(p, ~side, plies - 1);
    Move moves[DepthReport::capacity];
    const int count = p.generateMoves(side, moves);
    for (int i = 0; i < count; ++i)
        if (!winsWithin(p.playedBy(side, square(moves[i].fromX, moves[i].fromY), square(moves[i].toX, moves[i].toY)),
                        ~side, plies - 1))
            return false;
    return true;
}

// The board seen from the other side: rows turned over, red and black swapped.
void mirror(Board &board)
{
    const auto cells = board.cells;
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) {
            const int code = cells[x][7 - y];
            board.cells[x][y] = code == Piece::redStone ? Piece::blackStone : code ? Piece::redStone : Piece::empty;
        }
}
} // namespace

class TestExpertSearch : public QObject
{
    Q_OBJECT

    TranspositionTable table;
    StopSignal unlimited;

private slots:
    void initTestCase()
    {
        table.resize(1);
        unlimited.start(nullptr, -1);
    }

    // Red (or black on the mirrored board) to move wins on its fifth move, not before:
    // found within 12 plies on two threads, at the right distance, with a move that
    // keeps the win.
    void findsBreakthroughs_data()
    {
        QTest::addColumn<QString>("stones");
        QTest::newRow("two stones") << "B7:2 C7:2 G7:2 C5:2 D4:4 H4:2 B3:4 H3:4 A2:4 F2:4";
        QTest::newRow("lone stone") << "D7:2 H7:2 A6:2 D3:4 C2:4 G2:4";
        QTest::newRow("taken back") << "D7:2 C6:2 H4:4 G3:2 A2:4 D2:4 H2:4";
    }
    void findsBreakthroughs()
    {
        QFETCH(QString, stones);
        ZarvikBoard board;
        position(board, qPrintable(stones));
        for (Side side : bothSides) {
            if (side == Side::Black)
                mirror(board);
            ExpertSearch search;
            search.setPosition(board);
            LastDepth log;
            const SearchResult result = search.run(settings(side, 12, -1, 2), log.abort, &log);
            QCOMPARE(log.last.bestScore, win - 9);
            QVERIFY(board.isLegal(result.best, side) && log.last.lineLength > 0 && log.last.line[0] == result.best);
            ExpertWorker leaves(table, unlimited, false);
            const BitPosition after = BitPosition(board).playedBy(side, square(result.best.fromX, result.best.fromY),
                                                                  square(result.best.toX, result.best.toY));
            QCOMPARE(plainScore(leaves, after, ~side, -win - 1, win + 1, 8, 1), -(win - 9));
        }
    }

    // A race the evaluation calls decided ends exactly so many plies on, whoever
    // wins, odd codes included: along random games, as far as an exhaustive search
    // of both sides' moves can tell.
    void decidedRacesAreExact()
    {
        constexpr int deepest = 7;
        ZarvikBoard board;
        int checked = 0;
        for (quint32 seed = 1; seed <= 40; ++seed)
            playRandomGame(board, seed, [&](Side side) {
                const BitPosition p(board);
                const int plies = ExpertEvaluation::judge(p, side).racePlies;
                if (p.anyWon() || plies == 0 || std::abs(plies) > deepest || QTest::currentTestFailed())
                    return;
                ++checked;
                const bool exact = plies > 0 ? winsWithin(p, side, plies) && !winsWithin(p, side, plies - 2)
                                             : losesWithin(p, side, -plies) && !losesWithin(p, side, -plies - 2);
                QVERIFY2(exact, qPrintable(QString("%1side %2: %3 plies").arg(board.toText()).arg(indexOf(side)).arg(plies)));
            });
        QVERIFY(checked > 30);
    }

    // The evaluation is its weights times its features, for either side to move,
    // odd codes included.
    void scoreIsWeightsTimesFeatures()
    {
        ZarvikBoard board;
        const auto weights = ExpertEvaluation::weights();
        for (quint32 seed = 1; seed <= 6; ++seed)
            playRandomGame(board, seed, [&](Side) {
                const BitPosition p(board);
                for (Side side : bothSides) {
                    const auto features = ExpertEvaluation::features(p, side);
                    int sum = 0;
                    for (std::size_t i = 0; i < weights.size(); ++i)
                        sum += weights[i] * features[i];
                    QVERIFY2(p.anyWon() || sum == ExpertEvaluation::judge(p, side).score,
                             qPrintable(QString("%1side %2").arg(board.toText()).arg(indexOf(side))));
                }
            });
    }

    // Without selectivity, the table, the ordering and the null windows
    // change no score: along random games, every depth up to 4 scores as plain
    // alpha-beta.
    void tableAndNullWindowsKeepScores()
    {
        ZarvikBoard board;
        int positions = 0, compared = 0;
        for (quint32 seed = 1; seed <= 6; ++seed)
            playRandomGame(board, seed, [&](Side side) {
                if (QTest::currentTestFailed() || ++positions % 3)
                    return;
                ExpertSearch search;
                search.setSelective(false);
                search.setPosition(board);
                for (int depth = 1; depth <= 4; ++depth) {
                    LastDepth log;
                    search.run(settings(side, depth, -1, 1), log.abort, &log);
                    ExpertWorker leaves(table, unlimited, false);
                    const int plain = plainScore(leaves, BitPosition(board), side, -win - 1, win + 1, depth, 0);
                    compared += log.last.depth == depth; // a sure win may end the search sooner
                    QVERIFY2(log.last.depth != depth || log.last.bestScore == plain,
                             qPrintable(QString("%1side %2 depth %3: %4 instead of %5").arg(board.toText()).arg(indexOf(side))
                                            .arg(depth).arg(log.last.bestScore).arg(plain)));
                }
            });
        QVERIFY(compared > 100);
    }

    // No time at all still gives a legal move, from every position of random games.
    void tinyLimitsGiveLegalMoves()
    {
        ZarvikBoard board;
        ExpertSearch search;
        for (quint32 seed = 1; seed <= 8; ++seed)
            playRandomGame(board, seed, [&](Side side) {
                MoveList legal;
                board.generateMoves(side, legal);
                if (legal.count == 0 || QTest::currentTestFailed())
                    return;
                search.setPosition(board);
                const SearchResult result =
                    search.run(settings(side, 64, 0, 2), std::atomic<bool>(false));
                QVERIFY2(board.isLegal(result.best, side) && result.lastCompleted >= 1, qPrintable(board.toText()));
            });
    }

    // Aborted once depth 5 or deeper is complete, the search gives the deepest one's
    // move; aborted before it began, the first legal move.
    void stopsWhenAborted()
    {
        ZarvikBoard board;
        for (int stopAfter : {5, 0}) {
            ExpertSearch search;
            search.setPosition(board);
            LastDepth log;
            log.stopAfter = stopAfter;
            log.abort = stopAfter == 0;
            const SearchResult result = search.run(settings(Side::Red, 64, -1, 2), log.abort, &log);
            QVERIFY(result.stopped && result.lastCompleted >= stopAfter && result.lastCompleted == log.last.depth);
            QCOMPARE(result.best, stopAfter ? log.last.best : move("A2", "A3"));
        }
    }

    // One second allowed: over well before a second and a half, however loaded the
    // machine, with at least one depth done. A tenth of a second is not eaten up by
    // the margin kept for the caller: the search still gets a few plies deep.
    void keepsToTheTimeLimit()
    {
        ZarvikBoard board;
        ExpertSearch search;
        search.setPosition(board);
        QElapsedTimer clock;
        clock.start();
        const SearchResult result = search.run(settings(Side::Black, 64, 1, 2), std::atomic<bool>(false));
        QVERIFY(clock.elapsed() < 1500 && result.lastCompleted >= 1 && board.isLegal(result.best, black));
        const SearchResult quick = search.run(settings(Side::Black, 64, 0.1, 1), std::atomic<bool>(false));
        QVERIFY2(quick.lastCompleted >= 3, qPrintable(QString::number(quick.lastCompleted)));
    }
};

QTEST_APPLESS_MAIN(TestExpertSearch)
#include "tst_expertsearch.moc"
