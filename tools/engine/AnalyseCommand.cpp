// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnalyseCommand.h"

#include "DepthListener.h"
#include "SearchEngine.h"
#include "ZarvikBoard.h"

namespace {

// Prints every completed depth as it comes: level 4 its line of play, the exact
// search the score of every root move.
class DepthPrinter : public DepthListener
{
public:
    DepthPrinter(QTextStream &out, bool expert) : out(out), expert(expert) {}

    void depthCompleted(const DepthReport &report) override
    {
        if (expert) {
            printLine(report);
            return;
        }
        out << "depth " << report.depth << " nodes " << report.nodeCount << " best " << moveText(report.best)
            << " score " << report.bestScore << "\nscores";
        for (int i = 0; i < report.moveCount; ++i)
            out << ' ' << moveText(report.moves[i]) << ':' << report.scores[i];
        out << Qt::endl;
    }

private:
    void printLine(const DepthReport &report)
    {
        const qint64 perSecond = report.seconds > 0 ? qint64(report.nodeCount / report.seconds) : 0;
        out << "depth " << report.depth << " seldepth " << report.selectiveDepth << " score " << report.bestScore;
        if (report.movesToEnd != 0)
            out << (report.movesToEnd > 0 ? " gagne en " : " perd en ") << std::abs(report.movesToEnd);
        out << " nodes " << report.nodeCount << " nps " << perSecond << " pv";
        for (int i = 0; i < report.lineLength; ++i)
            out << ' ' << moveText(report.line[i]);
        out << Qt::endl;
    }

    static QString moveText(const Move &move) { return EngineCommand::compactText(move); }

    QTextStream &out;
    const bool expert;
};

} // namespace

QString AnalyseCommand::name() const
{
    return QStringLiteral("analyse");
}

QString AnalyseCommand::synopsis() const
{
    return QStringLiteral("analyse FILE.brd --side red|black --level L --depth D [--seed S] [--time T] [--threads N]");
}

QString AnalyseCommand::summary() const
{
    return QStringLiteral("Runs the computer's search for the side, by default without time limit, deepening from 2 "
                          "plies to D (at most 2 at level 1). For every depth it prints \"depth D nodes N best MOVE "
                          "score S\" (N counted since the search began) and \"scores MOVE:SCORE ...\" for every root "
                          "move in the order the rules list them. Equal scores are told apart by Qt's random draws "
                          "seeded with S (default 1). Level 4 deepens from 1 ply and prints instead \"depth D seldepth "
                          "L score S [gagne en M|perd en M] nodes N nps R pv MOVE ...\": the deepest ply searched, "
                          "the moves to a sure win or loss, nodes per second and the expected line of play. --time allows "
                          "T seconds, --threads searches on N threads (default: every core).");
}

void AnalyseCommand::addArguments(QCommandLineParser &parser) const
{
    parser.addPositionalArgument(QStringLiteral("FILE.brd"), QStringLiteral("The position, a board file."));
    parser.addOption({QStringLiteral("side"), QStringLiteral("Side to move: red or black."), QStringLiteral("red|black")});
    parser.addOption({QStringLiteral("level"), QStringLiteral("Computer level, 1 to 4."), QStringLiteral("L")});
    parser.addOption({QStringLiteral("depth"), QStringLiteral("Deepest depth in plies, 2 or more."), QStringLiteral("D")});
    parser.addOption({QStringLiteral("seed"), QStringLiteral("Seed of the random draws."), QStringLiteral("S"),
                      QStringLiteral("1")});
    parser.addOption({QStringLiteral("time"), QStringLiteral("Seconds allowed (default: no limit)."),
                      QStringLiteral("T"), QStringLiteral("-1")});
    parser.addOption({QStringLiteral("threads"), QStringLiteral("Threads that search."), QStringLiteral("N"),
                      QString::number(SearchSettings().threads)});
}

int AnalyseCommand::run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const
{
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() != 2 || !parser.isSet(QStringLiteral("side")) || !parser.isSet(QStringLiteral("level"))
        || !parser.isSet(QStringLiteral("depth"))) {
        err << "usage: zarvik-engine " << synopsis() << '\n';
        return 1;
    }
    SearchSettings settings;
    int seed = 1;
    if (!readSide(parser, QStringLiteral("side"), settings.color, err)
        || !readInt(parser.value(QStringLiteral("level")), QStringLiteral("--level"), settings.level, err)
        || !readInt(parser.value(QStringLiteral("depth")), QStringLiteral("--depth"), settings.maxDepth, err)
        || !readInt(parser.value(QStringLiteral("seed")), QStringLiteral("--seed"), seed, err)
        || !readSeconds(parser.value(QStringLiteral("time")), QStringLiteral("--time"), settings.timeLimit, err)
        || !readInt(parser.value(QStringLiteral("threads")), QStringLiteral("--threads"), settings.threads, err))
        return 1;
    if (settings.level < 1 || settings.level > SearchSettings::maxLevel || settings.maxDepth < 2
        || settings.threads < 1) {
        err << "--level must be 1 to 4, --depth 2 or more and --threads 1 or more\n";
        return 1;
    }
    ZarvikBoard board;
    if (!loadBoard(arguments[1], board, err))
        return 1;
    settings.maxDepth = qMin(settings.maxDepth, SearchSettings::maxDepthFor(settings.level));
    settings.seed = unsigned(seed);
    const std::unique_ptr<SearchEngine> search = SearchEngine::forLevel(settings.level);
    search->setPosition(board);
    DepthPrinter printer(out, settings.level >= SearchSettings::expertLevel);
    search->run(settings, std::atomic<bool>(false), &printer);
    return 0;
}
