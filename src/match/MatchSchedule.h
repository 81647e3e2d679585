// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

// Which games a match plays: game n (from 1) gives red to the first player when n is
// odd and to the second when even; with openings, games 2k-1 and 2k play opening k
// (round robin over the list), so each opening is played with both colours. A shard
// K of N keeps those pairs whose number is K modulo N, so that shards run on several
// machines together play the whole schedule once.
class MatchSchedule
{
public:
    struct Game
    {
        int round = 1;       // from 1, the same in every shard
        int opening = -1;    // index in the opening list, -1: the initial position
        bool firstIsRed = true;
    };

    // shard from 1 to shards.
    MatchSchedule(int games, int openings, int shard = 1, int shards = 1);

    const std::vector<Game> &games() const { return list; }

private:
    std::vector<Game> list;
};
