// SPDX-License-Identifier: GPL-3.0-or-later
#include "SubtreeSearch.h"


#include <algorithm>

namespace {
constexpr int worstScore = 1000000; // start of every node's best score
constexpr int window = 100000;      // the root's alpha-beta window
} // namespace

SubtreeSearch::RootScorer SubtreeSearch::rootScorer(Side color, int level)
{
    if (color == Side::Red)
        return level >= 3 ? &SubtreeSearch::scoreRootMove<Side::Red, true>
                          : &SubtreeSearch::scoreRootMove<Side::Red, false>;
    return level >= 3 ? &SubtreeSearch::scoreRootMove<Side::Black, true>
                      : &SubtreeSearch::scoreRootMove<Side::Black, false>;
}

void SubtreeSearch::start(const BitPosition &position, double timeLimit, const std::atomic<bool> *abort)
{
    root = position;
    budget.start(timeLimit, abort);
}

template <Side Color, bool withAdvance>
int SubtreeSearch::scoreRootMove(const Move &move)
{
    const BitPosition child = root.played<Color>(BitPosition::square(move.fromX, move.fromY),
                                                 BitPosition::square(move.toX, move.toY));
    return node<Color, withAdvance, false>(child, -window, window, 1);
}

template <Side Color, bool withAdvance, bool maximising>
int SubtreeSearch::node(const BitPosition &position, int alpha, int beta, int ply)
{
    if (budget.enter())
        return 0;
    if (ply == evaluationPly || position.anyWon())
        return leafScore<Color, withAdvance>(position, ply);
    if (ply + 1 == evaluationPly) {
        if constexpr (withAdvance)
            return frontier<Color, withAdvance, maximising>(position, alpha, beta, ply);
        else
            return materialFrontier<Color, maximising>(position, alpha, beta, ply);
    }
    constexpr Side mover = maximising ? Color : ~Color;
    int best = maximising ? -worstScore : worstScore;
    bool moved = false;
    position.forEachMove<mover>([&](int from, int to) ZARVIK_ALWAYS_INLINE {
        moved = true;
        const BitPosition child = position.played<mover>(from, to);
        const int score = maximising ? node<Color, withAdvance, false>(child, std::max(alpha, best), beta, ply + 1)
                                     : node<Color, withAdvance, true>(child, alpha, std::min(beta, best), ply + 1);
        if (budget.stopped())
            return false;
        best = maximising ? std::max(best, score) : std::min(best, score);
        return maximising ? best < beta : best > alpha;
    });
    return moved ? best : leafScore<Color, withAdvance>(position, ply);
}

// A node one ply above the evaluation scores its children in place; each is still
// counted, and the clock still checked, as if it had been entered.
template <Side Color, bool withAdvance, bool maximising>
int SubtreeSearch::frontier(const BitPosition &position, int alpha, int beta, int ply)
{
    constexpr Side mover = maximising ? Color : ~Color;
    int best = maximising ? -worstScore : worstScore;
    bool moved = false;
    position.forEachMove<mover>([&](int from, int to) ZARVIK_ALWAYS_INLINE {
        moved = true;
        if (budget.enter())
            return false;
        const int score = leafScore<Color, withAdvance>(position.played<mover>(from, to), ply + 1);
        best = maximising ? std::max(best, score) : std::min(best, score);
        return maximising ? best < beta : best > alpha;
    });
    return moved ? best : leafScore<Color, withAdvance>(position, ply);
}

// Counting material only, a child scores by whether its move wins or takes a stone
// and nothing else, so the node is settled from its move sets: the children up to
// the cut-off are counted at once instead of being entered one by one.
template <Side Color, bool maximising>
int SubtreeSearch::materialFrontier(const BitPosition &position, int alpha, int beta, int ply)
{
    using Steps = BitPosition::Steps;
    constexpr Side mover = maximising ? Color : ~Color;
    const Steps moves = position.steps<mover>();
    if (moves.empty())
        return leafScore<Color, false>(position, ply);
    const Steps captures = position.capturing<mover>(moves);
    const Steps wins = position.winning<mover>(moves);
    const int quiet = leafScore<Color, false>(position, ply + 1);
    const int taking = maximising ? quiet + 5 : quiet - 5;
    const int winning = maximising ? Score::win - (ply + 1) : ply + 1 - Score::win;
    const auto cuts = [&](int score) { return maximising ? score >= beta : score <= alpha; };
    const Steps cutting = cuts(quiet) ? moves : cuts(taking) ? captures | wins : cuts(winning) ? wins : Steps();
    if (cutting.empty()) {
        if (budget.enterMany(moves.count()))
            return 0;
        return !wins.empty() ? winning : !captures.empty() ? taking : quiet;
    }
    int which = 0;
    int from = 0;
    if (budget.enterMany(moves.rankOfFirst(cutting, which, from) + 1))
        return 0;
    return wins.has(which, from) ? winning : captures.has(which, from) ? taking : quiet;
}

template <Side Color, bool withAdvance>
ZARVIK_ALWAYS_INLINE inline int SubtreeSearch::leafScore(const BitPosition &position, int ply)
{
    if (position.hasWon(Color))
        return Score::win - ply;
    if (position.hasWon(~Color))
        return ply - Score::win;
    const int score = position.redScore<withAdvance>();
    return Color == Side::Red ? score : -score;
}
