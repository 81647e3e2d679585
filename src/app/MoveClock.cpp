// SPDX-License-Identifier: GPL-3.0-or-later
#include "MoveClock.h"

#include <QTimerEvent>

namespace {
constexpr int tickMs = 1000;
}

MoveClock::MoveClock(QWidget *parent)
    : QLabel(parent)
{
    hide();
}

void MoveClock::follow(int count, bool running)
{
    if (!running) {
        ticks.stop();
        plies = -1;
        hide();
        return;
    }
    if (count == plies)
        return;
    plies = count;
    started.start();
    ticks.start(tickMs, this);
    showElapsed();
    show();
}

void MoveClock::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == ticks.timerId())
        showElapsed();
    else
        QLabel::timerEvent(event);
}

void MoveClock::showElapsed()
{
    const qint64 seconds = started.elapsed() / 1000;
    setText(tr("Ce coup : %1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0')));
}
