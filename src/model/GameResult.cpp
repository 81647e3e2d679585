// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameResult.h"

#include "GameRecord.h"

namespace {
using Ending = GameResult::Ending;

constexpr Ending endings[] = {Ending::GoalRow,     Ending::NoMoves,       Ending::Resignation,
                              Ending::TimeOut,     Ending::IllegalMove,   Ending::Disconnection,
                              Ending::Crash,       Ending::NeverConnected, Ending::Abandoned};
} // namespace

GameResult GameResult::win(Side winner, Ending how)
{
    return {how, winner, ~winner, std::nullopt};
}

GameResult GameResult::drawn()
{
    return {Ending::NoMoves, std::nullopt, std::nullopt, std::nullopt};
}

GameResult GameResult::cancelled(Side culprit, Ending how)
{
    return {how, std::nullopt, culprit, std::nullopt};
}

std::optional<GameResult> GameResult::fromRecord(const QString &result, std::optional<Side> loser,
                                                 const QString &termination)
{
    for (Ending how : endings) {
        GameResult told{how, std::nullopt, loser, std::nullopt};
        if (loser && result != GameRecord::unfinished)
            told.winner = ~*loser;
        if (told.termination() == termination && told.result() == result)
            return told;
    }
    return std::nullopt;
}

QString GameResult::result() const
{
    if (winner)
        return winner == Side::Red ? GameRecord::redWins : GameRecord::blackWins;
    return how == Ending::NoMoves ? GameRecord::draw : GameRecord::unfinished;
}

QString GameResult::termination() const
{
    switch (how) {
    case Ending::GoalRow:
        return GameRecord::byGoalRow;
    case Ending::NoMoves:
        return GameRecord::byNoMoves;
    case Ending::Resignation:
        return GameRecord::byResignation;
    case Ending::TimeOut:
        return GameRecord::byTimeOut;
    case Ending::IllegalMove:
        return GameRecord::byIllegalMove;
    case Ending::Disconnection:
        return GameRecord::byDisconnection;
    case Ending::Crash:
        return GameRecord::byCrash;
    case Ending::NeverConnected:
        return GameRecord::byNoConnection;
    case Ending::Abandoned:
        return GameRecord::byAbandon;
    }
    return GameRecord::byNothingYet;
}

bool GameResult::operator==(const GameResult &other) const
{
    return how == other.how && winner == other.winner && loser == other.loser && failure == other.failure;
}
