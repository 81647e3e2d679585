// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Side.h"

#include <algorithm>
#include <thread>

// What one search is asked to do.
struct SearchSettings
{
    // Levels 1 to 3 are the exact search; level 4 the strongest one, which only time stops.
    static constexpr int minLevel = 1;
    static constexpr int expertLevel = 4;
    static constexpr int maxLevel = expertLevel;
    static constexpr int expertMaxDepth = 64;

    // The computer looks two plies deep at level 1, up to twenty at levels 2 and 3.
    static int maxDepthFor(int level) { return level == 1 ? 2 : level >= expertLevel ? expertMaxDepth : 20; }

    Side color = Side::Red; // the side the search plays for
    int level = 1;     // passed unchanged to the evaluation; 3 or more adds the advance
    int maxDepth = 2;  // iterative deepening runs up to this depth, from 2 plies (level 4: from 1)
    double timeLimit = -1; // seconds, fractions too; a negative limit never stops
    unsigned seed = 1; // seeds the random draws that break ties between root moves
    // Threads that search at once: the exact search's results do not depend on it,
    // only its speed.
    int threads = int(std::max(1u, std::thread::hardware_concurrency()));
    int tableMegabytes = 64; // level 4's table of positions already searched
};
