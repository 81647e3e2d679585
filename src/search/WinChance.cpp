// SPDX-License-Identifier: GPL-3.0-or-later
#include "WinChance.h"

#include "ExpertEvaluation.h"
#include "ExpertWorker.h"

#include <cmath>

double WinChance::forMover(int score)
{
    if (isSureWin(score))
        return 1;
    if (isSureLoss(score))
        return 0;
    return 1 / (1 + std::exp(-ExpertEvaluation::resultScale * score));
}

double WinChance::forRed(int score, Side toMove)
{
    return toMove == Side::Red ? forMover(score) : forMover(-score);
}

bool WinChance::isSureWin(int score)
{
    return score > ExpertWorker::winBound;
}
