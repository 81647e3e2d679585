// SPDX-License-Identifier: GPL-3.0-or-later
#include "MatchTable.h"

#include "EloStats.h"
#include "MatchGame.h"

#include <cmath>

namespace {

// The ways a game ends, always listed; any other Termination follows them.
const QStringList knownEndings = {GameRecord::byGoalRow,       GameRecord::byTimeOut, GameRecord::byIllegalMove,
                                  GameRecord::byDisconnection, GameRecord::byCrash,   GameRecord::byNoConnection,
                                  GameRecord::byNoMoves,       GameRecord::byNothingYet};

QString elo(double value)
{
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("+inf") : QStringLiteral("-inf");
    return QStringLiteral("%1%2").arg(value >= 0 ? "+" : "").arg(value, 0, 'f', 1);
}

} // namespace

MatchTable::Score &MatchTable::scoreOf(const QString &name)
{
    for (Score &each : players)
        if (each.name == name)
            return each;
    players.push_back({name});
    return players.back();
}

MatchTable::Score MatchTable::score(const QString &name) const
{
    for (const Score &each : players)
        if (each.name == name)
            return each;
    return {name};
}

int MatchTable::endings(const QString &termination) const
{
    const auto found = endingCounts.find(termination);
    return found == endingCounts.end() ? 0 : found->second;
}

void MatchTable::add(const GameRecord &record)
{
    ++gameCount;
    ++endingCounts[record.tag(QStringLiteral("Termination"))];
    // Both are added before either is held: adding may move the others.
    scoreOf(record.tag(QStringLiteral("Red")));
    Score &black = scoreOf(record.tag(QStringLiteral("Black")));
    Score &red = scoreOf(record.tag(QStringLiteral("Red")));
    const QString result = record.result();
    if (result == GameRecord::redWins) {
        ++red.wins;
        ++black.losses;
    } else if (result == GameRecord::blackWins) {
        ++black.wins;
        ++red.losses;
    } else if (result == GameRecord::draw) {
        ++red.draws;
        ++black.draws;
    }
}

void MatchTable::print(QTextStream &out) const
{
    int width = 6;
    for (const Score &each : players)
        width = qMax(width, each.name.size());
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9\n")
               .arg(QStringLiteral("Player"), -width)
               .arg(QStringLiteral("Games"), 6)
               .arg(QStringLiteral("W"), 5)
               .arg(QStringLiteral("D"), 5)
               .arg(QStringLiteral("L"), 5)
               .arg(QStringLiteral("Score"), 7)
               .arg(QStringLiteral("Elo"), 7)
               .arg(QStringLiteral("95% interval"), 17)
               .arg(QStringLiteral("LOS"), 7);
    for (const Score &each : players) {
        const EloStats stats(each.wins, each.draws, each.losses);
        out << QStringLiteral("%1 %2 %3 %4 %5 %6% %7 %8 %9%\n")
                   .arg(each.name, -width)
                   .arg(stats.games(), 6)
                   .arg(each.wins, 5)
                   .arg(each.draws, 5)
                   .arg(each.losses, 5)
                   .arg(100 * stats.score(), 6, 'f', 1)
                   .arg(elo(stats.elo()), 7)
                   .arg(QStringLiteral("[%1, %2]").arg(elo(stats.eloLow()), elo(stats.eloHigh())), 17)
                   .arg(100 * stats.los(), 6, 'f', 1);
    }
    QStringList parts;
    for (const QString &ending : knownEndings)
        parts << QStringLiteral("%1 %2").arg(ending).arg(endings(ending));
    for (const auto &counted : endingCounts)
        if (!knownEndings.contains(counted.first))
            parts << QStringLiteral("%1 %2").arg(counted.first.isEmpty() ? QStringLiteral("?") : counted.first)
                         .arg(counted.second);
    out << QStringLiteral("%1 games: %2\n").arg(gameCount).arg(parts.join(QStringLiteral(", ")));
}
