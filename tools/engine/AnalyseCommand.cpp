#include "AnalyseCommand.h"

#include "DepthListener.h"
#include "FastSearch.h"
#include "ZarvikBoard.h"

namespace {

// Prints every completed depth as it comes.
class DepthPrinter : public DepthListener
{
public:
    explicit DepthPrinter(QTextStream &out) : out(out) {}

    void depthCompleted(const DepthReport &report) override
    {
        out << "depth " << report.depth << " nodes " << report.nodeCount << " best " << moveText(report.best)
            << " score " << report.bestScore << "\nscores";
        for (int i = 0; i < report.moveCount; ++i)
            out << ' ' << moveText(report.moves[i]) << ':' << report.scores[i];
        out << Qt::endl;
    }

private:
    static QString moveText(const Move &move) { return EngineCommand::compactText(move); }

    QTextStream &out;
};

} // namespace

QString AnalyseCommand::name() const
{
    return QStringLiteral("analyse");
}

QString AnalyseCommand::synopsis() const
{
    return QStringLiteral("analyse FILE.brd --side red|black --level L --depth D [--seed S]");
}

QString AnalyseCommand::summary() const
{
    return QStringLiteral("Runs the computer's search for the side, without time limit, deepening from 2 plies to D "
                          "(at most 2 at level 1). For every depth it prints \"depth D nodes N best MOVE score S\" "
                          "(N counted since the search began) and \"scores MOVE:SCORE ...\" for every root move in "
                          "the order the rules list them. Equal scores are told apart by Qt's random draws seeded "
                          "with S (default 1).");
}

void AnalyseCommand::addArguments(QCommandLineParser &parser) const
{
    parser.addPositionalArgument(QStringLiteral("FILE.brd"), QStringLiteral("The position, a board file."));
    parser.addOption({QStringLiteral("side"), QStringLiteral("Side to move: red or black."), QStringLiteral("red|black")});
    parser.addOption({QStringLiteral("level"), QStringLiteral("Computer level, 1 to 3."), QStringLiteral("L")});
    parser.addOption({QStringLiteral("depth"), QStringLiteral("Deepest depth in plies, 2 or more."), QStringLiteral("D")});
    parser.addOption({QStringLiteral("seed"), QStringLiteral("Seed of the random draws."), QStringLiteral("S"),
                      QStringLiteral("1")});
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
        || !readInt(parser.value(QStringLiteral("seed")), QStringLiteral("--seed"), seed, err))
        return 1;
    if (settings.level < 1 || settings.level > 3 || settings.maxDepth < 2) {
        err << "--level must be 1 to 3 and --depth 2 or more\n";
        return 1;
    }
    ZarvikBoard board;
    if (!loadBoard(arguments[1], board, err))
        return 1;
    settings.maxDepth = qMin(settings.maxDepth, SearchSettings::maxDepthFor(settings.level));
    settings.seed = unsigned(seed);
    FastSearch search;
    search.setPosition(board);
    DepthPrinter printer(out);
    search.run(settings, std::atomic<bool>(false), &printer);
    return 0;
}
