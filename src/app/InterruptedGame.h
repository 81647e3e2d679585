// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameJournal.h"

#include <QObject>

class Dialogs;
class GameController;
class QWidget;

// The game in progress kept on disk, and what the last run left there: a game that
// was cut short (the program killed, the power lost) is moved aside at start-up,
// before any new game replaces it, and offered once the window is up: to play on
// with the same sides, or, when its opponent was on the network, to replay; a file
// that cannot be read is set aside with a word of why.
class InterruptedGame : public QObject
{
    Q_OBJECT

public:
    // Keeps the window's games in the file at path; takes what an earlier run left.
    InterruptedGame(GameController *controller, const QString &path, QObject *parent = nullptr);

    // Asks what to do with the game found, if any; once.
    void offer(Dialogs &dialogs, QWidget *window);

signals:
    void statusChanged(const QString &text);
    // The interrupted game is shown to be replayed, from this file.
    void opened(const QString &path);
    // The interrupted game goes on, played by the sides it had.
    void resumed(const GameOptions &options);

private:
    void resume(Dialogs &dialogs, QWidget *window);
    void replay(Dialogs &dialogs, QWidget *window);

    GameController *controller;
    GameJournal journal;
    GameJournal::Found found = GameJournal::Found::Nothing;
    GameRecord record;
    GameOptions options;
    QString reason;
    QString aside; // where the file found was moved
};
