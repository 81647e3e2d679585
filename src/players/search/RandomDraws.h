#pragma once

// Qt's per-thread random sequence (qsrand/qrand). The computer's choice among moves
// of equal score is defined by this exact sequence, so it is kept although Qt 5.15
// deprecates it; this is the only place that calls it.
class RandomDraws
{
public:
    static void seed(unsigned seed);
    static int next();
};
