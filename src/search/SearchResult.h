// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Move.h"

// The outcome of one iteratively deepened search.
struct SearchResult
{
    // maxDepth when every depth was completed, d - 1 when the search was stopped
    // during depth d.
    int depthReached = 0;
    // The deepest completed depth, 0 when none was.
    int lastCompleted = 0;
    bool stopped = false;
    // Best move of the last completed depth. Before depth 2 is complete, the first
    // move that the rules list, so that a search stopped early still has a legal
    // move to give. Default-initialised when the side has no move.
    Move best;
};
