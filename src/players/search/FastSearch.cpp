#include "FastSearch.h"

#include "IterativeDeepening.h"
#include "ZarvikBoard.h"
#include "RandomDraws.h"

#include <algorithm>

namespace {
constexpr int worstScore = 1000000; // start of every node's best score
constexpr int window = 100000;      // the root's alpha-beta window
} // namespace

void FastSearch::setPosition(const Board &board)
{
    root = BitPosition(board);
}

SearchResult FastSearch::run(const SearchSettings &settings, const std::atomic<bool> &abort,
                             DepthListener *listener)
{
    budget.start(settings.timeLimit, &abort);
    RandomDraws::seed(settings.seed);
    report.moveCount = root.generateMoves(settings.color, report.moves);
    const RootScorer scorer = rootScorer(settings.color, settings.level);
    const Move firstMove = report.moveCount > 0 ? report.moves[0] : Move();
    return IterativeDeepening::run(settings.maxDepth, firstMove, report, listener,
                                   [&](int depth) { return searchDepth(depth, scorer); });
}

FastSearch::RootScorer FastSearch::rootScorer(int color, int level)
{
    if (color == BitPosition::red)
        return level >= 3 ? &FastSearch::scoreRootMove<BitPosition::red, true>
                          : &FastSearch::scoreRootMove<BitPosition::red, false>;
    return level >= 3 ? &FastSearch::scoreRootMove<BitPosition::black, true>
                      : &FastSearch::scoreRootMove<BitPosition::black, false>;
}

// Scores every root move with the full window; a later move with an equal score
// replaces the best one when its random draw modulo 1000 is below 50. False when
// the search was stopped before the depth was complete.
bool FastSearch::searchDepth(int depth, RootScorer scoreRootMove)
{
    evaluationPly = depth;
    report.depth = depth;
    report.best = Move();
    report.bestScore = -worstScore;
    for (int i = 0; i < report.moveCount; ++i) {
        const int score = (this->*scoreRootMove)(report.moves[i]);
        if (budget.stopped())
            return false;
        const int draw = RandomDraws::next();
        report.scores[i] = score;
        if (score > report.bestScore || (score == report.bestScore && draw % 1000 < 50)) {
            report.bestScore = score;
            report.best = report.moves[i];
        }
    }
    report.nodeCount = budget.nodeCount();
    return true;
}

template <int Color, bool withAdvance>
int FastSearch::scoreRootMove(const Move &move)
{
    const BitPosition child = root.played<Color>(BitPosition::square(move.fromX, move.fromY),
                                                 BitPosition::square(move.toX, move.toY));
    return node<Color, withAdvance, false>(child, -window, window, 1);
}

template <int Color, bool withAdvance, bool maximising>
int FastSearch::node(const BitPosition &position, int alpha, int beta, int ply)
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
    constexpr int mover = maximising ? Color : 1 - Color;
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
template <int Color, bool withAdvance, bool maximising>
int FastSearch::frontier(const BitPosition &position, int alpha, int beta, int ply)
{
    constexpr int mover = maximising ? Color : 1 - Color;
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
template <int Color, bool maximising>
int FastSearch::materialFrontier(const BitPosition &position, int alpha, int beta, int ply)
{
    using Steps = BitPosition::Steps;
    constexpr int mover = maximising ? Color : 1 - Color;
    const Steps moves = position.steps<mover>();
    if (moves.empty())
        return leafScore<Color, false>(position, ply);
    const Steps captures = position.capturing<mover>(moves);
    const Steps wins = position.winning<mover>(moves);
    const int quiet = leafScore<Color, false>(position, ply + 1);
    const int taking = maximising ? quiet + 5 : quiet - 5;
    const int winning = maximising ? ZarvikBoard::winScore - (ply + 1) : ply + 1 - ZarvikBoard::winScore;
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

template <int Color, bool withAdvance>
ZARVIK_ALWAYS_INLINE inline int FastSearch::leafScore(const BitPosition &position, int ply)
{
    if (position.hasWon(Color))
        return ZarvikBoard::winScore - ply;
    if (position.hasWon(1 - Color))
        return ply - ZarvikBoard::winScore;
    const int score = position.redScore<withAdvance>();
    return Color == BitPosition::red ? score : -score;
}
