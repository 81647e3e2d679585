// SPDX-License-Identifier: GPL-3.0-or-later
#include "Sprt.h"

#include "EloStats.h"

#include <cmath>

namespace {
double scoreOf(double elo)
{
    return 1 / (1 + std::pow(10.0, -elo / 400));
}
} // namespace

Sprt::Sprt(double elo0, double elo1, double alpha, double beta)
    : hypothesis0(elo0),
      hypothesis1(elo1),
      lower(std::log(beta / (1 - alpha))),
      upper(std::log((1 - beta) / alpha))
{
}

double Sprt::llr(int wins, int draws, int losses) const
{
    const EloStats stats(wins, draws, losses);
    // Without any spread yet (no game, or all alike) nothing is known.
    if (stats.variance() <= 0)
        return 0;
    const double s0 = scoreOf(hypothesis0);
    const double s1 = scoreOf(hypothesis1);
    return stats.games() * (s1 - s0) * (2 * stats.score() - s0 - s1) / (2 * stats.variance());
}

Sprt::Decision Sprt::decide(int wins, int draws, int losses) const
{
    const double ratio = llr(wins, draws, losses);
    if (ratio >= upper)
        return Decision::AcceptH1;
    if (ratio <= lower)
        return Decision::AcceptH0;
    return Decision::Continue;
}
