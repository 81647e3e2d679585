// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The per-thread random sequence that breaks ties between root moves of equal score.
// The computer's choice is defined by this exact sequence: the one Qt 5's
// qsrand/qrand give, which is std::minstd_rand seeded with the same value (checked
// for every seed the computer uses). Drawn here directly, it stays the same with
// any Qt, Qt 6 having no qrand.
class RandomDraws
{
public:
    static void seed(unsigned seed);
    static int next();
};
