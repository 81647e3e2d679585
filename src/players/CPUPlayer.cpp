// SPDX-License-Identifier: GPL-3.0-or-later
#include "CPUPlayer.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTime>

namespace {
// How often the GUI looks at how far the search has come.
constexpr int progressIntervalMs = 100;
}

CPUPlayer::CPUPlayer(Board *board, int color, int timeLimit, int level, int pauseMs, qint64 seed, int threads)
    : Player(board, color),
      maxDepth(SearchSettings::maxDepthFor(level)),
      timeLimit(searchSeconds(timeLimit)),
      level(level),
      pauseMs(pauseMs),
      threads(threads),
      nextSeed(seed),
      search(SearchEngine::forLevel(level))
{
    connect(this, &QThread::finished, this, &CPUPlayer::onThreadFinished);
    progressTimer = new QTimer(this);
    progressTimer->setInterval(progressIntervalMs);
    connect(progressTimer, &QTimer::timeout, this, &CPUPlayer::reportProgress);
}

int CPUPlayer::searchSeconds(int timeLimit)
{
    if (timeLimit > maxSeconds)
        return untimedCeilingSeconds;
    return qMax(timeLimit, 0);
}

CPUPlayer::~CPUPlayer()
{
    cancelSearch();
}

void CPUPlayer::RequestMove()
{
    startSearch();
}

Move *CPUPlayer::TakeMove()
{
    return &move;
}

void CPUPlayer::StartGame()
{
    startSearch();
}

// The position is copied here, on the GUI thread: the search never reads the shared
// board, which the GUI may repaint, save, load or reset meanwhile.
void CPUPlayer::startSearch()
{
    Q_ASSERT(!isRunning());
    {
        std::lock_guard<std::mutex> lock(handoff);
        search->setPosition(*board);
    }
    abortRequested = false;
    discardRequested = false;
    // Taken here: the clock's time zone set-up is not for the search thread to race.
    searchSeed = nextSeed < 0 ? unsigned(QTime::currentTime().msec()) : unsigned(nextSeed++);
    progress = progressShown = 0;
    progressTimer->start();
    start();
}

void CPUPlayer::cancelSearch()
{
    discardRequested = true;
    abortRequested = true;
    progressTimer->stop();
    wait();
    // The finished() of a search that has just ended may still wait in the event
    // queue for onThreadFinished(); dropped, it cannot announce the cancelled move.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
    // The search thread holds the lock until it ends; taking it once orders its
    // last writes before ours also for ThreadSanitizer, which cannot see inside
    // Qt's wait().
    std::lock_guard<std::mutex> lock(handoff);
}

void CPUPlayer::playNow()
{
    abortRequested = true;
}

// The depth line is written here, on the GUI thread, as every other message of the
// program: a message handler need not be safe for other threads.
void CPUPlayer::onThreadFinished()
{
    reportProgress();
    progressTimer->stop();
    int depth = 0;
    {
        std::lock_guard<std::mutex> lock(handoff);
        move = result;
        depth = depthReached;
    }
    qDebug() << "Minimax: Profondeur joueur " << (color == 1 ? QStringLiteral("noir") : QStringLiteral("rouge"))
             << ": " << uint(depth);
    emit MoveReady();
}

void CPUPlayer::run()
{
    if (pauseMs > 0)
        QThread::msleep(unsigned(pauseMs));
    SearchSettings settings;
    settings.color = static_cast<Side>(color);
    settings.level = level;
    if (threads > 0)
        settings.threads = threads;
    settings.maxDepth = maxDepth;
    settings.timeLimit = timeLimit;
    settings.seed = searchSeed;
    std::lock_guard<std::mutex> lock(handoff);
    const SearchResult outcome = search->run(settings, abortRequested, this);
    if (discardRequested)
        return;
    // Out of time before depth 2 was complete, this is the first legal move rather
    // than a record left from an earlier position.
    result = outcome.best;
    depthReached = outcome.depthReached;
}

void CPUPlayer::depthCompleted(const DepthReport &report)
{
    progress.store(qint64(report.depth) << 32 | quint32(report.bestScore), std::memory_order_relaxed);
}

void CPUPlayer::reportProgress()
{
    const qint64 now = progress.load(std::memory_order_relaxed);
    if (now == progressShown)
        return;
    progressShown = now;
    emit DepthReached(int(now >> 32), int(quint32(now)));
}
