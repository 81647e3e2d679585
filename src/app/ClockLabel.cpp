// SPDX-License-Identifier: GPL-3.0-or-later
#include "ClockLabel.h"

#include <QTimerEvent>

namespace {
constexpr int tickMs = 200;
}

ClockLabel::ClockLabel(const Game *game, Shows shows, QWidget *parent)
    : QLabel(parent), game(game), shows(shows)
{
    setAlignment(Qt::AlignCenter);
    connect(game, &Game::turnBegan, this, &ClockLabel::refresh);
    connect(game, &Game::stateChanged, this, &ClockLabel::refresh);
    connect(game, &Game::historyChanged, this, &ClockLabel::refresh);
    refresh();
}

void ClockLabel::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == ticks.timerId())
        refresh();
    else
        QLabel::timerEvent(event);
}

void ClockLabel::refresh()
{
    const std::optional<QString> shown = text();
    setText(shown.value_or(QString()));
    setVisible(shown || shows == Shows::Remaining);
    if (shown)
        ticks.start(tickMs, this);
    else
        ticks.stop();
}

// Nothing while no side's clock runs, or this label has nothing to say of it.
std::optional<QString> ClockLabel::text() const
{
    const std::optional<Side> side = game->turn();
    if (!side || !game->clock(*side).isRunning())
        return std::nullopt;
    const SideClock &clock = game->clock(*side);
    if (shows == Shows::Remaining)
        return clock.hasLimit() ? std::optional<QString>(tr("%1 s").arg((clock.remaining() + 999) / 1000)) : std::nullopt;
    if (!game->options().joined() || clock.hasLimit())
        return std::nullopt;
    const qint64 seconds = clock.elapsed() / 1000;
    return tr("Ce coup : %1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
