// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Sequential probability ratio test between two Elo hypotheses, elo0 (H0) and elo1
// (H1), with alpha = beta = 0.05 by default. The log-likelihood ratio is the normal
// approximation of the generalised test (the one fastchess and cutechess report):
// with s0, s1 the scores the two Elo values imply, s the observed score and v the
// per-game score variance, LLR = n (s1 - s0) (2 s - s0 - s1) / (2 v).
class Sprt
{
public:
    enum class Decision { Continue, AcceptH0, AcceptH1 };

    Sprt(double elo0, double elo1, double alpha = 0.05, double beta = 0.05);

    double llr(int wins, int draws, int losses) const;
    double lowerBound() const { return lower; }
    double upperBound() const { return upper; }
    Decision decide(int wins, int draws, int losses) const;

    double elo0() const { return hypothesis0; }
    double elo1() const { return hypothesis1; }

private:
    double hypothesis0;
    double hypothesis1;
    double lower;
    double upper;
};
