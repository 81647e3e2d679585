// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// One side's time for the move under way, kept by the game: it runs from the
// moment the side is asked until its answer, and starts full at every move. A side
// may have no limit; a limited one may be given some grace past its limit (a
// remote program's transfer) and may be exempt from losing on time (the computer,
// which keeps its own margin). Seats and views read it; only the game starts and
// stops it.
class SideClock : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 noLimit = -1;

    explicit SideClock(QObject *parent = nullptr);

    // The limit of each move in milliseconds (noLimit: none); expired() comes
    // graceMs after it, when the side forfeits on time. A clock that runs goes on.
    void setLimit(qint64 limitMs, qint64 graceMs, bool forfeits);
    void start();
    void stop();

    bool isRunning() const { return running; }
    bool hasLimit() const { return limitMs != noLimit; }
    qint64 limit() const { return limitMs; }
    // Of the move under way (or the last one): the time it has taken so far, and
    // what is left of the limit, 0 once it has passed (noLimit without a limit).
    qint64 elapsed() const;
    qint64 remaining() const;

signals:
    void expired();

private:
    qint64 limitMs = noLimit;
    qint64 forfeitAfterMs = noLimit;
    qint64 stoppedAt = 0;
    QElapsedTimer started;
    QTimer forfeit;
    bool running = false;
};
