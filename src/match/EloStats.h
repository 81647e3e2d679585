// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The figures of a series of games from one side's view: its score, the Elo
// difference that score implies under the logistic model, the 95% interval of that
// difference from the per-game score variance (from the exact binomial bound when
// one side won every game), and the likelihood of superiority.
class EloStats
{
public:
    EloStats(int wins, int draws, int losses);

    int games() const { return wins + draws + losses; }
    // Points per game, 0 to 1 (0.5 with no game).
    double score() const;
    // Variance of one game's score (1, 0.5 or 0) around the mean.
    double variance() const;
    // Elo difference for a score; infinite at 0 and 1.
    static double eloOf(double score);
    double elo() const { return eloOf(score()); }
    // The Elo difference at the ends of the 95% interval of the score.
    double eloLow() const;
    double eloHigh() const;
    // Chance, 0 to 1, that this side is the stronger, from wins and losses alone.
    double los() const;

private:
    double margin() const;
    double sweepBound() const;

    int wins;
    int draws;
    int losses;
};
