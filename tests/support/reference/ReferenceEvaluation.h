// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Board.h"

// The exact levels' evaluation written plainly over the board's cells, from side's
// point of view, depth plies below the root: a win scores Score::win less the depth;
// otherwise 5 a stone, and at level 3 the advance of every stone that no enemy stone
// can take next.
namespace ReferenceEvaluation {
int evaluate(const Board &board, Side side, int depth, int level);
}
