// SPDX-License-Identifier: GPL-3.0-or-later
#include "EloStats.h"

#include <algorithm>
#include <cmath>

namespace {
// Two-sided 95% quantile of the normal law.
constexpr double z95 = 1.959963984540054;
// The chance left on each side of a 95% interval.
constexpr double tail95 = 0.025;
} // namespace

EloStats::EloStats(int wins, int draws, int losses)
    : wins(wins), draws(draws), losses(losses)
{
}

double EloStats::score() const
{
    return games() == 0 ? 0.5 : (wins + 0.5 * draws) / games();
}

double EloStats::variance() const
{
    if (games() == 0)
        return 0;
    const double s = score();
    return (wins * (1 - s) * (1 - s) + draws * (0.5 - s) * (0.5 - s) + losses * s * s) / games();
}

double EloStats::eloOf(double score)
{
    if (score <= 0)
        return -INFINITY;
    if (score >= 1)
        return INFINITY;
    return -400 * std::log10(1 / score - 1);
}

double EloStats::margin() const
{
    return games() == 0 ? 0 : z95 * std::sqrt(variance() / games());
}

// Games that all end the same way have no spread to measure, yet n wins in a row
// do not prove an infinite difference: they only make a win chance below
// tail95^(1/n) unlikely (the exact binomial bound).
double EloStats::sweepBound() const
{
    return std::pow(tail95, 1.0 / games());
}

double EloStats::eloLow() const
{
    if (wins > 0 && wins == games())
        return eloOf(sweepBound());
    return eloOf(std::max(0.0, score() - margin()));
}

double EloStats::eloHigh() const
{
    if (losses > 0 && losses == games())
        return eloOf(1 - sweepBound());
    return eloOf(std::min(1.0, score() + margin()));
}

double EloStats::los() const
{
    if (wins + losses == 0)
        return 0.5;
    return 0.5 * (1 + std::erf((wins - losses) / std::sqrt(2.0 * (wins + losses))));
}
