// SPDX-License-Identifier: GPL-3.0-or-later
#include "Analysis.h"

#include "Game.h"
#include "ZarvikBoard.h"

#include <QCoreApplication>

namespace {
// Enough for one thread on a single position, and light beside the computer's own.
constexpr int tableMegabytes = 32;
} // namespace

Analysis::Analysis(const Game *played, QObject *parent)
    : QObject(parent), played(played), game(played->model())
{
    worker.setListener(this);
    restartTimer.setSingleShot(true);
    restartTimer.setInterval(0);
    connect(&restartTimer, &QTimer::timeout, this, &Analysis::restart);
    connect(game, &GameModel::changed, this, &Analysis::positionChanged);
    connect(played, &Game::thinkingChanged, this, &Analysis::onThinkingChanged);
    connect(&worker, &QThread::finished, this, &Analysis::searchEnded);
}

Analysis::~Analysis()
{
    worker.cancel();
}

void Analysis::setActive(bool on)
{
    if (on == active)
        return;
    active = on;
    stopSearch();
    searchedKey.clear();
    if (active)
        restartTimer.start();
}

// Tags, results and cursor moves that keep the position change nothing here. What
// the search of another position has still to say is dropped at once.
void Analysis::positionChanged()
{
    if (!active || shownKey() == searchedKey)
        return;
    stopSearch();
    searchedKey.clear();
    restartTimer.start();
}

void Analysis::onThinkingChanged(bool thinking)
{
    if (!active)
        return;
    if (!thinking) {
        restartTimer.start();
        return;
    }
    stopSearch();
    searchedKey.clear();
    emit statusChanged(tr("En attente : l'ordinateur réfléchit."));
}

void Analysis::restart()
{
    stopSearch();
    if (!active || played->computerThinking())
        return;
    searchedKey = shownKey();
    const QString closed = closedText();
    if (!closed.isEmpty()) {
        emit statusChanged(closed);
        return;
    }
    // A side that cannot move passes: the search is then the other side's.
    const ZarvikBoard &position = game->position();
    const Side toMove = game->sideToMove();
    const bool passes = !position.canMove(toMove);
    searchedSide = passes ? ~toMove : toMove;
    if (!passes)
        emit statusChanged(tr("Analyse en cours…"));
    else
        emit statusChanged(toMove == Side::Red ? tr("Rouge ne peut pas jouer et passe.")
                                               : tr("Noir ne peut pas jouer et passe."));
    SearchSettings settings;
    settings.color = searchedSide;
    settings.level = SearchSettings::expertLevel;
    settings.maxDepth = maxDepth;
    settings.timeLimit = timeLimit;
    settings.threads = 1;
    settings.tableMegabytes = tableMegabytes;
    worker.search(position, settings, 0);
}

QString Analysis::closedText() const
{
    const ZarvikBoard &position = game->position();
    if (position.hasWon(Side::Red))
        return tr("Rouge a gagné.");
    if (position.hasWon(Side::Black))
        return tr("Noir a gagné.");
    if (!position.canMove(Side::Red) && !position.canMove(Side::Black))
        return tr("Aucun camp ne peut jouer : partie nulle.");
    return QString();
}

void Analysis::stopSearch()
{
    worker.cancel();
    // Depths and the end of a search just cancelled may still wait in the queue.
    QCoreApplication::removePostedEvents(this, QEvent::MetaCall);
}

QString Analysis::shownKey() const
{
    return game->position().toText() + QString::number(indexOf(game->sideToMove()));
}

// On the search thread: the report is turned into texts here and handed over by
// value, as the report itself is overwritten by the next depth.
void Analysis::depthCompleted(const DepthReport &report)
{
    QStringList line;
    for (int i = 0; i < report.lineLength; ++i)
        line << report.line[i].toText(ZarvikBoard::size, ZarvikBoard::size);
    const Side side = searchedSide;
    const int depth = report.depth;
    const int score = report.bestScore;
    const int movesToEnd = report.movesToEnd;
    QMetaObject::invokeMethod(
        this, [this, side, depth, score, movesToEnd, line] { emit deepened(side, depth, score, movesToEnd, line); },
        Qt::QueuedConnection);
}
