// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Side.h"

// Level 4's scores read as chances to win, by the evaluation's fitted link between
// scores and results (ExpertEvaluation::resultScale). A sure win is a chance of 1,
// a sure loss of 0: the logistic alone would round far smaller leads to 1 as well.
class WinChance
{
public:
    // The side to move's chance, in [0, 1], of a score from its view.
    static double forMover(int score);
    // Red's chance, in [0, 1], of a score from toMove's view.
    static double forRed(int score, Side toMove);
    // Whether the score is a win (a loss) that the search has proved.
    static bool isSureWin(int score);
    static bool isSureLoss(int score) { return isSureWin(-score); }
};
