// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QLabel>

// How long the move under way has taken, to the second: in a joined game the clock
// is the host's, and this is what the window can tell of it.
class MoveClock : public QLabel
{
    Q_OBJECT

public:
    explicit MoveClock(QWidget *parent = nullptr);

    // The game has this many plies; the clock restarts when the count changes and
    // hides while no game runs.
    void follow(int plies, bool running);

private:
    void timerEvent(QTimerEvent *event) override;
    void showElapsed();

    QBasicTimer ticks;
    QElapsedTimer started;
    int plies = -1;
};
