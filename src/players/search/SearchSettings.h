#pragma once

// What one search is asked to do.
struct SearchSettings
{
    // The levels the search plays.
    static constexpr int minLevel = 1;
    static constexpr int maxLevel = 3;

    // The computer looks two plies deep at level 1 and up to twenty otherwise.
    static int maxDepthFor(int level) { return level == 1 ? 2 : 20; }

    int color = 0;     // the side the search plays for: 0 red, 1 black
    int level = 1;     // passed unchanged to the evaluation; 3 or more adds the advance
    int maxDepth = 2;  // iterative deepening runs from 2 plies up to this depth
    int timeLimit = -1; // seconds; compared as unsigned, so a negative limit never stops
    unsigned seed = 1; // seeds the random draws that break ties between root moves
};
