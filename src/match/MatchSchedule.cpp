// SPDX-License-Identifier: GPL-3.0-or-later
#include "MatchSchedule.h"

MatchSchedule::MatchSchedule(int games, int openings, int shard, int shards)
{
    for (int index = 0; index < games; ++index) {
        const int pair = index / 2;
        if (pair % shards != shard - 1)
            continue;
        list.push_back({index + 1, openings > 0 ? pair % openings : -1, index % 2 == 0});
    }
}
