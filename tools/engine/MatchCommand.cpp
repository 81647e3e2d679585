// SPDX-License-Identifier: GPL-3.0-or-later
#include "MatchCommand.h"

#include "GameRecordReader.h"
#include "InterruptWatcher.h"
#include "MatchRunner.h"

#include <QFile>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

namespace {

const QString playerOption = QStringLiteral("player");
const QString gamesOption = QStringLiteral("games");
const QString openingsOption = QStringLiteral("openings");
const QString concurrencyOption = QStringLiteral("concurrency");
const QString recordsOption = QStringLiteral("records");
const QString shardOption = QStringLiteral("shard");
const QString seedOption = QStringLiteral("seed");
const QString sprtOption = QStringLiteral("sprt");
const QString timeOption = QStringLiteral("time");
const QString connectTimeoutOption = QStringLiteral("connect-timeout");
const QString summarizeOption = QStringLiteral("summarize");

constexpr int defaultGames = 10;

} // namespace

QString MatchCommand::name() const
{
    return QStringLiteral("match");
}

QString MatchCommand::synopsis() const
{
    return QStringLiteral("match --player PLAYER --player PLAYER [--games N] [--openings FILE|DIR] [--concurrency J] "
                          "[--records FILE] [--shard K/N] [--seed S] [--sprt ELO0,ELO1] [--time S] "
                          "[--connect-timeout S] | match --summarize RECORDS...");
}

QString MatchCommand::summary() const
{
    return QStringLiteral("Plays N games (default 10) between two players on Zarvik's own game host, colours "
                          "alternating, J at once, and prints each player's wins, draws, losses, score, Elo "
                          "difference with its 95% interval and LOS, and how the games ended. PLAYER is "
                          "cpu:LEVEL:SECONDS, cmd:COMMAND ({port} in it replaced) or remote:PORT, followed by "
                          ",name=TEXT and, for the computer, ,threads=N (default every core), for programs, "
                          ",tc=SECONDS (default --time, 1). Records of the games are appended to --records. "
                          "--summarize prints the table of records files. Exit codes: 0 done, 1 bad arguments, "
                          "2 a file that cannot be read or written, 3 interrupted. See docs/match.md.");
}

void MatchCommand::addArguments(QCommandLineParser &parser) const
{
    parser.addPositionalArgument(QStringLiteral("RECORDS"), QStringLiteral("Records files, with --summarize."),
                                 QStringLiteral("[RECORDS...]"));
    parser.addOptions({
        {playerOption, QStringLiteral("A player, twice: cpu:LEVEL:SECONDS, cmd:COMMAND or remote:PORT."),
         QStringLiteral("PLAYER")},
        {gamesOption, QStringLiteral("Games to play (default 10)."), QStringLiteral("N"), QString::number(defaultGames)},
        {openingsOption, QStringLiteral("Start positions: a .brd file, a directory of them, or a file of lines "
                                        "\"<64 codes> r|b\"; each is played twice, colours swapped."),
         QStringLiteral("FILE|DIR")},
        {concurrencyOption, QStringLiteral("Games at once (default: the cores)."), QStringLiteral("J"),
         QString::number(QThread::idealThreadCount())},
        {recordsOption, QStringLiteral("Append every game's record to this file."), QStringLiteral("FILE")},
        {shardOption, QStringLiteral("Play only the K-th of N slices of the games."), QStringLiteral("K/N"),
         QStringLiteral("1/1")},
        {seedOption, QStringLiteral("Seed of the computer players' draws (default: a new one, printed)."),
         QStringLiteral("S")},
        {sprtOption, QStringLiteral("Stop when the SPRT between these Elo differences of the first player decides."),
         QStringLiteral("ELO0,ELO1")},
        {timeOption, QStringLiteral("Seconds per move of cmd: and remote: players without tc= (default 1)."),
         QStringLiteral("S"), QStringLiteral("1")},
        {connectTimeoutOption, QStringLiteral("Seconds a program has to connect (default 10)."), QStringLiteral("S"),
         QStringLiteral("10")},
        {summarizeOption, QStringLiteral("Print the table of the records files given.")},
    });
}

int MatchCommand::run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const
{
    if (parser.isSet(summarizeOption))
        return summarize(parser, out, err);
    // The computer's depth notes would bury the progress line.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QTemporaryDir scratch;
    MatchPlan plan;
    if (!scratch.isValid() || !readPlan(parser, scratch.path(), plan, err))
        return 1;
    out << "seed " << plan.seed << '\n';
    out.flush();
    MatchRunner runner(plan, err);
    InterruptWatcher watcher;
    QObject::connect(&watcher, &InterruptWatcher::interrupted, &runner, &MatchRunner::interrupt);
    if (!runner.run())
        return fileError;
    runner.table().print(out);
    if (plan.sprt)
        printSprt(*plan.sprt, runner.table(), plan.first.name, out);
    if (runner.wasInterrupted()) {
        out << "interrupted: the games under way were not counted\n";
        return interruptedExit;
    }
    return 0;
}

int MatchCommand::summarize(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const
{
    const QStringList files = parser.positionalArguments().mid(1);
    MatchPlan plan;
    if (files.isEmpty() || !readSprt(parser, plan, err)) {
        err << "usage: zarvik-engine match --summarize RECORDS... [--sprt ELO0,ELO1]\n";
        return 1;
    }
    MatchTable table;
    for (const QString &path : files) {
        QFile file(path);
        std::vector<GameRecord> records;
        QString error = file.errorString();
        if (!file.open(QIODevice::ReadOnly) || !GameRecordReader::readAll(file, records, &error)) {
            err << path << ": " << error << '\n';
            return fileError;
        }
        for (const GameRecord &record : records)
            table.add(record);
    }
    table.print(out);
    if (plan.sprt && !table.scores().empty())
        printSprt(*plan.sprt, table, table.scores().front().name, out);
    return 0;
}

bool MatchCommand::readPlan(const QCommandLineParser &parser, const QString &scratchDir, MatchPlan &plan,
                            QTextStream &err) const
{
    int seconds = 0;
    int seed = int(QRandomGenerator::global()->bounded(1 << 30));
    if (!readInt(parser.value(concurrencyOption), QStringLiteral("--concurrency"), plan.concurrency, err)
        || !readInt(parser.value(connectTimeoutOption), QStringLiteral("--connect-timeout"), seconds, err)
        || (parser.isSet(seedOption) && !readInt(parser.value(seedOption), QStringLiteral("--seed"), seed, err)))
        return false;
    if (plan.concurrency < 1 || seconds < 1) {
        err << "--concurrency and --connect-timeout must be 1 or more\n";
        return false;
    }
    plan.connectTimeoutMs = seconds * 1000;
    plan.seed = seed;
    plan.recordsPath = parser.value(recordsOption);
    return readPlayers(parser, plan, err) && readSchedule(parser, scratchDir, plan, err) && readSprt(parser, plan, err);
}

bool MatchCommand::readPlayers(const QCommandLineParser &parser, MatchPlan &plan, QTextStream &err) const
{
    const QStringList texts = parser.values(playerOption);
    int seconds = 0;
    if (!readInt(parser.value(timeOption), QStringLiteral("--time"), seconds, err))
        return false;
    if (texts.size() != 2) {
        err << "give two players: --player PLAYER --player PLAYER\n";
        return false;
    }
    QString error;
    if (!PlayerSpec::parse(texts[0], seconds, plan.first, &error)
        || !PlayerSpec::parse(texts[1], seconds, plan.second, &error)) {
        err << error << '\n';
        return false;
    }
    if (plan.first.name == plan.second.name) {
        err << "both players are named " << plan.first.name << ": tell them apart with ,name=\n";
        return false;
    }
    const int remotes = (plan.first.kind == PlayerSpec::Kind::Remote) + (plan.second.kind == PlayerSpec::Kind::Remote);
    const int commands =
        (plan.first.kind == PlayerSpec::Kind::Command) + (plan.second.kind == PlayerSpec::Kind::Command);
    // A remote program connects when it likes: with a second program on the same
    // port, either might take red.
    if (remotes > 0 && remotes + commands > 1) {
        err << "a remote: player plays against a cpu: player only\n";
        return false;
    }
    // Its one port serves one game at a time.
    if (remotes > 0)
        plan.concurrency = 1;
    return true;
}

bool MatchCommand::readSchedule(const QCommandLineParser &parser, const QString &scratchDir, MatchPlan &plan,
                                QTextStream &err) const
{
    int games = 0;
    if (!readInt(parser.value(gamesOption), QStringLiteral("--games"), games, err))
        return false;
    const QRegularExpressionMatch shard =
        QRegularExpression(QStringLiteral("^(\\d+)/(\\d+)$")).match(parser.value(shardOption));
    const int slice = shard.captured(1).toInt();
    const int slices = shard.captured(2).toInt();
    if (games < 1 || !shard.hasMatch() || slices < 1 || slice < 1 || slice > slices) {
        err << "--games must be 1 or more and --shard K/N with 1 <= K <= N\n";
        return false;
    }
    OpeningList openings;
    QString error;
    if (parser.isSet(openingsOption) && !openings.load(parser.value(openingsOption), scratchDir, &error)) {
        err << error << '\n';
        return false;
    }
    plan.openings = openings.openings();
    plan.games = MatchSchedule(games, int(plan.openings.size()), slice, slices).games();
    return true;
}

bool MatchCommand::readSprt(const QCommandLineParser &parser, MatchPlan &plan, QTextStream &err)
{
    if (!parser.isSet(sprtOption))
        return true;
    const QStringList bounds = parser.value(sprtOption).split(QLatin1Char(','));
    bool ok0 = false;
    bool ok1 = false;
    const double elo0 = bounds.value(0).toDouble(&ok0);
    const double elo1 = bounds.value(1).toDouble(&ok1);
    if (bounds.size() != 2 || !ok0 || !ok1 || elo0 >= elo1) {
        err << "--sprt must be ELO0,ELO1 with ELO0 < ELO1\n";
        return false;
    }
    plan.sprt.emplace(elo0, elo1);
    return true;
}

void MatchCommand::printSprt(const Sprt &sprt, const MatchTable &table, const QString &player, QTextStream &out)
{
    const MatchTable::Score score = table.score(player);
    const Sprt::Decision decision = sprt.decide(score.wins, score.draws, score.losses);
    const QString verdict = decision == Sprt::Decision::AcceptH1   ? QStringLiteral("H1 accepted")
                            : decision == Sprt::Decision::AcceptH0 ? QStringLiteral("H0 accepted")
                                                                   : QStringLiteral("no decision yet");
    out << QStringLiteral("SPRT %1 elo0 %2 elo1 %3: LLR %4 (bounds %5, %6), %7\n")
               .arg(player)
               .arg(sprt.elo0())
               .arg(sprt.elo1())
               .arg(sprt.llr(score.wins, score.draws, score.losses), 0, 'f', 2)
               .arg(sprt.lowerBound(), 0, 'f', 2)
               .arg(sprt.upperBound(), 0, 'f', 2)
               .arg(verdict);
}
