// SPDX-License-Identifier: GPL-3.0-or-later
#include "MatchRunner.h"

namespace {

QString duration(qint64 seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

MatchRunner::MatchRunner(const MatchPlan &plan, QTextStream &err)
    : plan(plan), err(err)
{
}

// Games still running (an interruption) are dropped with their programs.
MatchRunner::~MatchRunner()
{
    for (MatchGame *game : running)
        delete game;
}

bool MatchRunner::run()
{
    if (!plan.recordsPath.isEmpty()) {
        records.setFileName(plan.recordsPath);
        if (!records.open(QIODevice::WriteOnly | QIODevice::Append)) {
            err << "cannot write " << plan.recordsPath << ": " << records.errorString() << '\n';
            return false;
        }
    }
    clock.start();
    launchGames();
    finishWhenIdle();
    if (!running.empty() || nextGame < plan.games.size())
        loop.exec();
    err << '\n';
    err.flush();
    return true;
}

void MatchRunner::launchGames()
{
    while (!interrupted && verdict == Sprt::Decision::Continue && nextGame < plan.games.size()
           && int(running.size()) < plan.concurrency) {
        const MatchSchedule::Game &scheduled = plan.games[nextGame++];
        MatchGame::Setup setup;
        setup.red = scheduled.firstIsRed ? plan.first : plan.second;
        setup.black = scheduled.firstIsRed ? plan.second : plan.first;
        if (scheduled.opening >= 0) {
            setup.boardFile = plan.openings[std::size_t(scheduled.opening)].boardFile;
            setup.firstSide = plan.openings[std::size_t(scheduled.opening)].firstSide;
        }
        setup.seed = plan.seed + scheduled.round;
        setup.round = scheduled.round;
        setup.connectTimeoutMs = plan.connectTimeoutMs;
        auto *game = new MatchGame(setup);
        running.insert(game);
        connect(game, &MatchGame::finished, this, [this, game] { onGameFinished(game); });
        game->start();
    }
}

void MatchRunner::onGameFinished(MatchGame *game)
{
    running.erase(game);
    game->deleteLater();
    if (interrupted)
        return;
    const GameRecord &record = game->record();
    scores.add(record);
    if (records.isOpen()) {
        records.write(record.toText().toUtf8());
        records.flush();
    }
    if (plan.sprt) {
        const MatchTable::Score first = scores.score(plan.first.name);
        verdict = plan.sprt->decide(first.wins, first.draws, first.losses);
    }
    showProgress();
    launchGames();
    finishWhenIdle();
}

void MatchRunner::finishWhenIdle()
{
    if (running.empty())
        loop.quit();
}

void MatchRunner::interrupt()
{
    interrupted = true;
    for (MatchGame *game : running)
        game->abort();
    loop.quit();
}

void MatchRunner::showProgress()
{
    const int done = scores.games();
    const int total = int(plan.games.size());
    const MatchTable::Score first = scores.score(plan.first.name);
    const double minutes = clock.elapsed() / 60000.0;
    const double perMinute = minutes > 0 ? done / minutes : 0;
    const qint64 left = perMinute > 0 ? qint64((total - done) / perMinute * 60) : 0;
    QString line = QStringLiteral("\rgames %1/%2  %3 %4-%5-%6 (%7%)  %8 games/min  %9 left")
                       .arg(done)
                       .arg(total)
                       .arg(plan.first.name)
                       .arg(first.wins)
                       .arg(first.draws)
                       .arg(first.losses)
                       .arg(100 * (first.wins + 0.5 * first.draws) / qMax(done, 1), 0, 'f', 1)
                       .arg(perMinute, 0, 'f', 1)
                       .arg(duration(left));
    if (plan.sprt)
        line += QStringLiteral("  LLR %1").arg(plan.sprt->llr(first.wins, first.draws, first.losses), 0, 'f', 2);
    err << line << "   ";
    err.flush();
}
