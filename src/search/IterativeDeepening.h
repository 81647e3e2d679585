// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DepthListener.h"
#include "DepthReport.h"
#include "SearchResult.h"

// The deepening loop that both searches share: depths 2, 3, ... up to maxDepth, each
// searched by searchDepth(depth), which fills report and returns false when the
// search was stopped before the depth was complete. That depth is then given up and
// the best move of the last completed one kept.
class IterativeDeepening
{
public:
    template <typename SearchDepth>
    static SearchResult run(int maxDepth, const Move &firstMove, const DepthReport &report, DepthListener *listener,
                            SearchDepth &&searchDepth)
    {
        SearchResult result;
        result.best = firstMove;
        for (int depth = 2; depth <= maxDepth; ++depth) {
            if (!searchDepth(depth)) {
                result.depthReached = depth - 1;
                result.stopped = true;
                return result;
            }
            result.lastCompleted = depth;
            result.best = report.best;
            if (listener)
                listener->depthCompleted(report);
        }
        result.depthReached = maxDepth;
        return result;
    }
};
