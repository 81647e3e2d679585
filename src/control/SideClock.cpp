// SPDX-License-Identifier: GPL-3.0-or-later
#include "SideClock.h"

#include <limits>

SideClock::SideClock(QObject *parent)
    : QObject(parent)
{
    forfeit.setSingleShot(true);
    // A coarse timer may fire 5% early, eating most of a half second of grace.
    forfeit.setTimerType(Qt::PreciseTimer);
    connect(&forfeit, &QTimer::timeout, this, &SideClock::expired);
}

// A clock that runs goes on with the new limit.
void SideClock::setLimit(qint64 limit, qint64 graceMs, bool forfeits)
{
    limitMs = limit < 0 ? noLimit : limit;
    forfeitAfterMs = forfeits && hasLimit() ? qMin<qint64>(limitMs + qMax<qint64>(graceMs, 0), std::numeric_limits<int>::max())
                                            : noLimit;
    forfeit.stop();
    if (running && forfeitAfterMs != noLimit)
        forfeit.start(int(qMax<qint64>(0, forfeitAfterMs - started.elapsed())));
}

void SideClock::start()
{
    started.start();
    running = true;
    if (forfeitAfterMs != noLimit)
        forfeit.start(int(forfeitAfterMs));
}

void SideClock::stop()
{
    if (running)
        stoppedAt = started.elapsed();
    running = false;
    forfeit.stop();
}

qint64 SideClock::elapsed() const
{
    return running ? started.elapsed() : stoppedAt;
}

qint64 SideClock::remaining() const
{
    return hasLimit() ? qMax<qint64>(0, limitMs - elapsed()) : noLimit;
}
