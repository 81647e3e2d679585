// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Player.h"
#include "Side.h"

#include <QMetaType>
#include <QString>

#include <optional>

// How a game ended: who won (nobody in a draw or a cancelled game), the side that
// lost or failed, and how. The game decides it once; the window turns it into
// sentences, records and the match runner into their words.
struct GameResult
{
    enum class Ending { GoalRow, NoMoves, Resignation, TimeOut, IllegalMove, Disconnection, Crash, NeverConnected };

    Ending how = Ending::GoalRow;
    std::optional<Side> winner;
    std::optional<Side> loser;
    // What the seat that failed reported (a lost connection, a host that refused our
    // move...), when a seat's failure ended the game.
    std::optional<Player::Failure> failure;

    // The side won by its opponent's failing this way, or on the board.
    static GameResult win(Side winner, Ending how);
    static GameResult drawn();
    // The side failed and nobody wins: the game is cancelled.
    static GameResult cancelled(Side culprit, Ending how);

    // The record's Result: "1-0", "0-1", "1/2-1/2" or "*".
    QString result() const;
    // The record's Termination word.
    QString termination() const;

    bool operator==(const GameResult &other) const;
};

Q_DECLARE_METATYPE(GameResult)
