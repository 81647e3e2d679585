// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Game.h"
#include "Seating.h"

#include <QObject>

// Where games are started: a new game from the board the options choose, one that
// goes on from the position shown, or one joined from another Zarvik. It begins
// the game and has the seating seat it; the game runs itself.
class GameController : public QObject
{
    Q_OBJECT

public:
    using Settings = Seating::Settings;

    explicit GameController(const Settings &settings = Settings(), QObject *parent = nullptr);

    Game *game() { return &played; }
    const Game *game() const { return &played; }
    Seating *seating() { return &seats; }
    const GameModel *model() const { return played.model(); }

    // A new game with these options, from the start they choose.
    void startGame(const GameOptions &options);
    // A new game with these options that goes on from the position shown, keeping
    // the plies before it.
    void continueGame(const GameOptions &options);
    // Leaves the game in progress undecided and stops listening or the joined host.
    void stopGame();
    void joinGame(const QString &host, quint16 port);
    // No game in progress, a board or a record shown instead (see Game::open).
    void showBoard(const Board &board);
    bool openRecord(const GameRecord &record, int *illegal = nullptr);
    // Goes on with a game that was interrupted, from its end, with the sides it had.
    void resumeGame(const GameRecord &record, const GameOptions &options);
    quint16 serverPort() const { return seats.serverPort(); }

signals:
    // No game could start (a board file that cannot be read, a port that is taken):
    // a title and a sentence to show as an error.
    void startFailed(const QString &title, const QString &text);

private:
    bool loadStart(ZarvikBoard &board, Side &side, const GameOptions &options);

    Game played{this};
    Seating seats;
};
