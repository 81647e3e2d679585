// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchCommand.h"

#include "ExpertSearch.h"
#include "FastSearch.h"
#include "ZarvikBoard.h"

#include <QElapsedTimer>

namespace {

struct BenchPosition
{
    Side side;
    const char *board; // board text: the 64 codes row by row from the top
};

// The initial position and positions from games played by the computer at level 3.
const BenchPosition positions[] = {
    {Side::Red, "2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 "
                       "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 4 "},
    {Side::Red, "0 2 2 2 2 0 2 2 2 2 2 2 2 2 2 2 2 0 0 0 2 0 0 0 0 0 0 0 0 0 0 0 "
                       "0 4 0 0 0 0 0 0 0 4 0 4 0 0 0 0 0 4 0 4 0 4 4 4 4 4 4 4 4 4 4 4 "},
    {Side::Black, "0 0 2 2 2 0 2 2 2 0 2 2 2 2 2 2 2 2 2 0 2 0 0 0 0 0 0 0 0 0 0 0 "
                         "0 4 0 0 0 0 0 0 0 4 0 4 0 0 4 0 4 4 0 4 4 4 4 4 0 4 4 4 4 0 0 4 "},
    {Side::Red, "0 0 0 2 0 0 2 2 2 0 2 2 2 2 0 2 2 2 2 2 2 2 2 0 0 0 0 0 0 0 0 0 "
                       "4 4 0 0 0 0 0 0 0 4 4 4 0 0 4 4 0 4 0 0 4 4 0 4 0 4 4 4 4 0 0 4 "},
    {Side::Black, "0 0 0 2 0 0 0 2 2 0 2 2 2 2 0 2 2 2 2 2 0 2 2 2 0 0 0 2 0 0 0 0 "
                         "4 4 0 0 4 0 0 4 0 4 4 4 0 0 4 0 0 4 0 0 4 0 4 4 0 4 4 4 4 0 0 0 "},
    {Side::Red, "0 0 0 0 0 0 0 2 2 0 0 2 2 2 0 2 2 2 2 0 2 2 2 2 0 0 0 2 2 0 0 0 "
                       "4 4 0 0 0 0 0 4 4 4 4 4 0 0 4 0 0 4 0 0 4 4 4 4 0 0 4 4 0 0 0 0 "},
    {Side::Black, "0 0 0 0 0 0 0 2 2 0 0 0 2 0 0 2 2 2 2 2 2 2 2 2 0 0 0 2 2 0 0 2 "
                         "4 4 4 0 0 0 0 4 4 0 4 4 4 0 4 4 0 4 0 0 4 4 0 4 0 0 0 4 0 0 0 0 "},
    {Side::Black, "2 2 2 2 2 2 0 2 0 2 2 2 2 2 2 0 0 2 0 0 0 2 0 2 0 0 0 0 0 0 0 0 "
                         "0 0 0 0 0 0 0 0 4 0 0 0 0 0 4 4 4 4 4 4 4 4 4 0 0 4 4 4 4 4 0 4 "},
    {Side::Red, "0 0 2 2 2 2 0 2 0 0 2 2 2 2 2 0 2 2 2 2 0 2 0 2 0 0 0 0 0 0 0 0 "
                       "0 0 0 0 0 0 0 0 4 4 4 0 0 4 4 4 0 4 4 4 0 4 4 0 0 0 4 4 4 4 0 4 "},
    {Side::Black, "0 0 0 0 2 2 0 0 0 2 2 2 2 2 2 2 2 2 2 2 2 2 0 2 0 0 0 0 0 0 0 0 "
                         "0 0 0 0 0 0 0 0 4 4 4 4 4 4 4 4 0 4 4 0 4 4 4 4 0 0 0 4 0 4 0 0 "},
    {Side::Red, "0 0 0 0 2 2 0 0 0 0 2 2 2 0 0 2 2 2 2 2 2 2 2 2 0 0 2 0 0 0 0 2 "
                       "4 0 0 0 0 0 4 4 4 4 4 4 4 4 0 0 0 0 4 0 4 4 4 4 0 0 0 4 0 4 0 0 "},
    {Side::Black, "0 0 0 0 2 2 0 0 0 0 2 2 2 0 0 2 0 0 2 2 0 2 2 2 2 0 2 2 0 0 0 2 "
                         "4 0 4 0 0 0 4 4 0 0 4 4 4 4 0 4 0 0 4 0 4 4 0 4 0 0 0 4 0 4 0 0 "},
    {Side::Red, "0 0 0 0 2 0 0 0 0 0 2 2 2 2 0 2 0 0 0 2 0 2 2 2 0 0 0 2 0 0 0 2 "
                       "4 2 0 4 0 0 4 4 0 0 0 4 0 4 0 4 0 0 4 0 4 4 0 4 0 0 0 4 0 4 0 0 "},
};

// Fixed depths: deep enough that a pass is long enough to time.
int benchDepth(int level)
{
    return level == 1 ? 6 : 5;
}

void setBoardText(ZarvikBoard &board, const char *text)
{
    const QStringList codes = QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    Q_ASSERT(codes.size() == ZarvikBoard::size * ZarvikBoard::size);
    for (int i = 0; i < codes.size(); ++i)
        board.cells[i % ZarvikBoard::size][i / ZarvikBoard::size] = codes[i].toInt();
}

SearchSettings benchSettings(Side side, int level, int threads = 1)
{
    SearchSettings settings{side, level, benchDepth(level), -1, 1};
    settings.threads = threads;
    return settings;
}

constexpr int splitThreads = 2; // the speed-up printed is that of this many threads
constexpr int expertDepth = 14; // level 4's fixed depth: a pass of a few seconds

constexpr double minimumFastSeconds = 2.0;

} // namespace

QString BenchCommand::name() const
{
    return QStringLiteral("bench");
}

QString BenchCommand::synopsis() const
{
    return QStringLiteral("bench [--signature | --expert]");
}

QString BenchCommand::summary() const
{
    return QStringLiteral("Searches a fixed set of positions without time limit at level 1 and level 3, with the "
                          "computer's search on one thread and on two, and prints the nodes, seconds and nodes per "
                          "second of each and the speed-up of two threads; then the nodes and seconds level 4 takes to "
                          "complete a fixed depth from every position, on one and on two threads (--expert: only "
                          "these); and the signature: the total node count of levels 1 "
                          "and 3, which changes only when the exact search's behaviour does. --signature prints "
                          "only the signature, without timing anything.");
}

void BenchCommand::addArguments(QCommandLineParser &parser) const
{
    parser.addOption({QStringLiteral("signature"), QStringLiteral("Only count the nodes and print the signature.")});
    parser.addOption({QStringLiteral("expert"), QStringLiteral("Only time level 4.")});
}

int BenchCommand::run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const
{
    if (parser.isSet(QStringLiteral("signature"))) {
        out << "signature " << signature() << Qt::endl;
        return 0;
    }
    if (parser.isSet(QStringLiteral("expert"))) {
        printExpert(out);
        return 0;
    }
    for (int level : {1, 3}) {
        out << "level " << level << ", depth " << benchDepth(level) << ", " << int(std::size(positions))
            << " positions" << Qt::endl;
        const Timing fast = timeFast(level, 1);
        printTiming(out, QStringLiteral("fast"), fast);
        const Timing split = timeFast(level, splitThreads);
        printTiming(out, QStringLiteral("%1 threads").arg(splitThreads), split);
        out << "  speed-up   " << QString::number(split.rate() / fast.rate(), 'f', 2) << Qt::endl;
        if (fastPass(level, splitThreads) != fastPass(level, 1)) {
            err << "the threads disagree: " << fastPass(level, 1) << " nodes on one thread, "
                << fastPass(level, splitThreads) << " on " << splitThreads << "\n";
            return 1;
        }
    }
    printExpert(out);
    out << "signature " << signature() << Qt::endl;
    return 0;
}

std::int64_t BenchCommand::signature()
{
    return fastPass(1, 1) + fastPass(3, 1);
}

std::int64_t BenchCommand::fastPass(int level, int threads)
{
    std::int64_t nodes = 0;
    ZarvikBoard board;
    FastSearch search;
    for (const BenchPosition &position : positions) {
        setBoardText(board, position.board);
        search.setPosition(board);
        search.run(benchSettings(position.side, level, threads), std::atomic<bool>(false));
        nodes += search.nodeCount();
    }
    return nodes;
}

// Repeats whole passes until the time is long enough to measure.
BenchCommand::Timing BenchCommand::timeFast(int level, int threads)
{
    Timing timing;
    QElapsedTimer clock;
    clock.start();
    do
        timing.nodes += fastPass(level, threads);
    while (clock.nsecsElapsed() < minimumFastSeconds * 1e9);
    timing.seconds = clock.nsecsElapsed() / 1e9;
    return timing;
}

// One search for the whole pass, so that the table is allocated only once; on one
// thread the node count is always the same.
BenchCommand::Timing BenchCommand::timeExpert(int threads)
{
    Timing timing;
    ZarvikBoard board;
    ExpertSearch search;
    QElapsedTimer clock;
    clock.start();
    for (const BenchPosition &position : positions) {
        setBoardText(board, position.board);
        search.setPosition(board);
        SearchSettings settings{position.side, SearchSettings::expertLevel, expertDepth, -1, 1};
        settings.threads = threads;
        search.run(settings, std::atomic<bool>(false));
        timing.nodes += search.nodeCount();
    }
    timing.seconds = clock.nsecsElapsed() / 1e9;
    return timing;
}

void BenchCommand::printExpert(QTextStream &out)
{
    out << "level 4, depth " << expertDepth << ", " << int(std::size(positions)) << " positions" << Qt::endl;
    for (int threads : {1, splitThreads})
        printTiming(out, QStringLiteral("%1 thread%2").arg(threads).arg(threads > 1 ? "s" : ""), timeExpert(threads));
}

void BenchCommand::printTiming(QTextStream &out, const QString &label, const Timing &timing)
{
    out << QStringLiteral("  %1 %2 nodes in %3 s: %4 nodes/s")
               .arg(label, -10)
               .arg(timing.nodes, 11)
               .arg(timing.seconds, 7, 'f', 3)
               .arg(qint64(timing.rate()), 11)
        << Qt::endl;
}
