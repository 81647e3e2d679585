// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Side.h"

#include <QMetaType>
#include <QString>

#include <optional>

// How a game ended: who won (nobody in a draw or a cancelled game), the side that
// lost or failed, and how. The game decides it once; the window turns it into
// sentences, records and the match runner into their words.
struct GameResult
{
    enum class Ending {
        GoalRow,
        NoMoves,
        Resignation,
        TimeOut,
        IllegalMove,
        Disconnection,
        Crash,
        NeverConnected,
        Abandoned, // the person of a network game stopped it or closed the window
    };
    // Why a seat could not go on: a remote program gone; the host of a joined game
    // gone, refusing our move, sending what makes no sense here, or silent.
    enum class Failure { Disconnection, Refusal, Garbage, Silence };

    Ending how = Ending::GoalRow;
    std::optional<Side> winner;
    std::optional<Side> loser;
    // What the seat that failed reported, when a seat's failure ended the game.
    std::optional<Failure> failure;

    // The side won on the board, or by its opponent's failing this way.
    static GameResult win(Side winner, Ending how);
    static GameResult drawn();
    // The side failed and nobody wins: the game is cancelled.
    static GameResult cancelled(Side culprit, Ending how);
    // The result that a record's Result and Termination tell, with the side that
    // lost or failed; nothing when the words are not the program's own.
    static std::optional<GameResult> fromRecord(const QString &result, std::optional<Side> loser,
                                                const QString &termination);

    // The record's Result: "1-0", "0-1", "1/2-1/2" or "*".
    QString result() const;
    // The record's Termination word.
    QString termination() const;

    bool operator==(const GameResult &other) const;
};

Q_DECLARE_METATYPE(GameResult)
Q_DECLARE_METATYPE(GameResult::Failure)
