// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameRecord.h"

#include <QString>
#include <QTextStream>

#include <map>
#include <vector>

// The score of a match, from its game records: for each player (by the Red and
// Black tags, in order of appearance) wins, draws and losses with the figures of
// EloStats, and how many games ended each way (the Termination tags).
class MatchTable
{
public:
    struct Score
    {
        QString name;
        int wins = 0;
        int draws = 0;
        int losses = 0;
    };

    void add(const GameRecord &record);
    int games() const { return gameCount; }
    // The player's score, a zero one if it has not played.
    Score score(const QString &name) const;
    const std::vector<Score> &scores() const { return players; }
    int endings(const QString &termination) const;

    // The table: one line per player, then the endings.
    void print(QTextStream &out) const;

private:
    Score &scoreOf(const QString &name);

    int gameCount = 0;
    std::vector<Score> players;
    std::map<QString, int> endingCounts;
};
