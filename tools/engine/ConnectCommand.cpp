// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConnectCommand.h"

#include "PeerSession.h"
#include "SearchEngine.h"

#include <QRandomGenerator>

#include <atomic>
#include <memory>

namespace {

// The computer's search answers every request; its draws go on from one move to
// the next.
PeerSession::Chooser searchChooser(SearchSettings settings)
{
    auto search = std::shared_ptr<SearchEngine>(SearchEngine::forLevel(settings.level));
    return [search, settings](const ZarvikBoard &position, Side side) mutable {
        settings.color = side;
        search->setPosition(position);
        return search->run(settings, std::atomic<bool>(false)).best;
    };
}

} // namespace

QString ConnectCommand::name() const
{
    return QStringLiteral("connect");
}

QString ConnectCommand::synopsis() const
{
    return QStringLiteral("connect [HOST] [--port P] [--level 1|2|3|4] [--time S] [--threads N] [--seed N] [--verbose]");
}

QString ConnectCommand::summary() const
{
    return QStringLiteral("Connects to a running Zarvik (default 127.0.0.1, port %1) as a remote player and plays "
                          "the side that the program gives it with the computer's search at level L (default 1), "
                          "at most S seconds per move (default 1), on N threads (default every core). Prints \"won as red, last move B7 - B8\" or the "
                          "like at the end. --verbose writes every message received (<-) and sent (->) and notes "
                          "(--) on the standard error. Exit codes: 0 the game ended normally, 1 bad arguments, "
                          "2 no connection, 3 connection lost, 4 a move refused, 5 an unreadable message.")
        .arg(Protocol::defaultPort);
}

void ConnectCommand::addArguments(QCommandLineParser &parser) const
{
    parser.addPositionalArgument(QStringLiteral("HOST"), QStringLiteral("Where Zarvik runs (default 127.0.0.1)."),
                                 QStringLiteral("[HOST]"));
    parser.addOption({QStringLiteral("port"), QStringLiteral("TCP port (default %1).").arg(Protocol::defaultPort),
                      QStringLiteral("P"), QString::number(Protocol::defaultPort)});
    parser.addOption({QStringLiteral("level"), QStringLiteral("Computer level, 1 to 4 (default 1)."),
                      QStringLiteral("L"), QStringLiteral("1")});
    parser.addOption({QStringLiteral("time"), QStringLiteral("Seconds of search per move, 0 or more, fractions too (default 1)."),
                      QStringLiteral("S"), QStringLiteral("1")});
    parser.addOption({QStringLiteral("threads"), QStringLiteral("Threads that search (default every core)."),
                      QStringLiteral("N"), QString::number(SearchSettings().threads)});
    parser.addOption({QStringLiteral("seed"),
                      QStringLiteral("Seed of the draws between equal moves (default: a new one every run)."),
                      QStringLiteral("N")});
    parser.addOption({QStringLiteral("verbose"), QStringLiteral("Trace the messages on the standard error.")});
}

int ConnectCommand::run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const
{
    const QStringList arguments = parser.positionalArguments();
    if (arguments.size() > 2) {
        err << "usage: zarvik-engine " << synopsis() << '\n';
        return 1;
    }
    PeerOptions options;
    options.host = arguments.size() == 2 ? arguments[1] : QStringLiteral("127.0.0.1");
    options.verbose = parser.isSet(QStringLiteral("verbose"));
    int port = 0;
    int seed = int(QRandomGenerator::global()->bounded(1 << 30));
    SearchSettings search;
    if (!readInt(parser.value(QStringLiteral("port")), QStringLiteral("--port"), port, err)
        || !readInt(parser.value(QStringLiteral("level")), QStringLiteral("--level"), search.level, err)
        || !readSeconds(parser.value(QStringLiteral("time")), QStringLiteral("--time"), search.timeLimit, err)
        || !readInt(parser.value(QStringLiteral("threads")), QStringLiteral("--threads"), search.threads, err)
        || (parser.isSet(QStringLiteral("seed"))
            && !readInt(parser.value(QStringLiteral("seed")), QStringLiteral("--seed"), seed, err)))
        return 1;
    if (port < 1 || port > 65535 || search.level < 1 || search.level > SearchSettings::maxLevel || search.timeLimit < 0
        || search.threads < 1) {
        err << "--port must be 1 to 65535, --level 1 to 4, --time 0 or more and --threads 1 or more\n";
        return 1;
    }
    options.port = quint16(port);
    search.maxDepth = SearchSettings::maxDepthFor(search.level);
    search.seed = unsigned(seed);
    return PeerSession(options, searchChooser(search), out, err).run();
}
