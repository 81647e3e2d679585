// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Game.h"

#include <QObject>

class GameController;
class Seating;

// Tells what happens to the window's games in sentences: whose turn it is, a pass,
// waiting for a remote program or a host, and how a game ended.
class GameNarrator : public QObject
{
    Q_OBJECT

public:
    explicit GameNarrator(GameController *controller, QObject *parent = nullptr);

    // The sentence for how a game ended.
    QString endText(const GameResult &result) const;

signals:
    void statusChanged(const QString &text);
    // A game has ended, with the sentence to show in its box.
    void gameOver(const QString &text);

private:
    void onTurn(Side side, Game::TurnStart how);
    void onEnded(const GameResult &result);
    QString waitingText(Side side) const;
    bool joined() const;

    const Game *game;
    const Seating *seating;
};
