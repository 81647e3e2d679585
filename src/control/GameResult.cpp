// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameResult.h"

#include "GameRecord.h"

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
    }
    return GameRecord::byNothingYet;
}

bool GameResult::operator==(const GameResult &other) const
{
    return how == other.how && winner == other.winner && loser == other.loser && failure == other.failure;
}
