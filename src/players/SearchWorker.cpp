// SPDX-License-Identifier: GPL-3.0-or-later
#include "SearchWorker.h"

SearchWorker::SearchWorker(int level, QObject *parent)
    : QThread(parent), engine(SearchEngine::forLevel(level))
{
}

SearchWorker::~SearchWorker()
{
    cancel();
}

void SearchWorker::setListener(DepthListener *also)
{
    Q_ASSERT(!isRunning());
    listener = also;
}

// The position is copied here, on the GUI thread: the search never reads a board
// that the GUI may show, change or replay meanwhile.
void SearchWorker::search(const Board &position, const SearchSettings &chosen, int pause)
{
    Q_ASSERT(!isRunning());
    {
        std::lock_guard<std::mutex> lock(handoff);
        engine->setPosition(position);
        settings = chosen;
    }
    pauseMs = pause;
    abortRequested = false;
    discardRequested = false;
    reached = 0;
    start();
}

void SearchWorker::finishNow()
{
    abortRequested = true;
}

void SearchWorker::cancel()
{
    discardRequested = true;
    abortRequested = true;
    wait();
    // Taking the lock once orders the search thread's last writes before ours, also
    // for ThreadSanitizer, which cannot see inside Qt's wait().
    std::lock_guard<std::mutex> lock(handoff);
}

Move SearchWorker::bestMove()
{
    std::lock_guard<std::mutex> lock(handoff);
    return result;
}

int SearchWorker::depthReached()
{
    std::lock_guard<std::mutex> lock(handoff);
    return depth;
}

void SearchWorker::run()
{
    if (pauseMs > 0)
        QThread::msleep(unsigned(pauseMs));
    std::lock_guard<std::mutex> lock(handoff);
    const SearchResult outcome = engine->run(settings, abortRequested, this);
    if (discardRequested)
        return;
    result = outcome.best;
    depth = outcome.depthReached;
}

void SearchWorker::depthCompleted(const DepthReport &report)
{
    reached.store(qint64(report.depth) << 32 | quint32(report.bestScore), std::memory_order_relaxed);
    if (listener)
        listener->depthCompleted(report);
}
