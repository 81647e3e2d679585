// SPDX-License-Identifier: GPL-3.0-or-later
#include "CPUPlayer.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTime>

namespace {
// How often the GUI looks at how far the search has come.
constexpr int progressIntervalMs = 100;
} // namespace

CPUPlayer::CPUPlayer(Side side, const Options &options, QObject *parent)
    : Player(side, parent), chosen(options), nextSeed(options.seed), worker(options.level)
{
    connect(&worker, &QThread::finished, this, &CPUPlayer::onSearchFinished);
    progressTimer.setInterval(progressIntervalMs);
    connect(&progressTimer, &QTimer::timeout, this, &CPUPlayer::reportProgress);
}

CPUPlayer::~CPUPlayer()
{
    stop();
}

int CPUPlayer::searchSeconds(int timeLimit)
{
    if (timeLimit > maxSeconds)
        return untimedCeilingSeconds;
    return qMax(timeLimit, 0);
}

void CPUPlayer::play(const Turn &turn)
{
    SearchSettings settings;
    settings.color = side();
    settings.level = chosen.level;
    if (chosen.threads > 0)
        settings.threads = chosen.threads;
    settings.maxDepth = SearchSettings::maxDepthFor(chosen.level);
    settings.timeLimit = searchSeconds(chosen.timeLimit);
    // Taken here: the clock's time zone set-up is not for the search thread to race.
    settings.seed = nextSeed < 0 ? unsigned(QTime::currentTime().msec()) : unsigned(nextSeed++);
    progressShown = 0;
    progressTimer.start();
    worker.search(turn.position, settings, chosen.pauseMs);
}

void CPUPlayer::stop()
{
    progressTimer.stop();
    worker.cancel();
    // The finished() of a search that has just ended may still wait in the event
    // queue; dropped, it cannot announce the cancelled move.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
}

void CPUPlayer::playNow()
{
    worker.finishNow();
}

// The depth line is written here, on the GUI thread, as every other message of the
// program: a message handler need not be safe for other threads.
void CPUPlayer::onSearchFinished()
{
    reportProgress();
    progressTimer.stop();
    qDebug() << "Minimax: Profondeur joueur " << (side() == Side::Black ? QStringLiteral("noir") : QStringLiteral("rouge"))
             << ": " << uint(worker.depthReached());
    emit moved(worker.bestMove());
}

void CPUPlayer::reportProgress()
{
    const qint64 now = worker.progress();
    if (now == progressShown)
        return;
    progressShown = now;
    emit depthReached(int(now >> 32), int(quint32(now)));
}
