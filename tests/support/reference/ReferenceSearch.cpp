// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReferenceSearch.h"

#include "IterativeDeepening.h"
#include "ReferenceEvaluation.h"
#include "RandomDraws.h"

#include <algorithm>

ReferenceSearch::ReferenceSearch(Board &board)
    : board(board)
{
}

SearchResult ReferenceSearch::run(const SearchSettings &searchSettings, const std::atomic<bool> &abort,
                                  DepthListener *listener)
{
    settings = searchSettings;
    me = settings.color;
    budget.start(settings.timeLimit, &abort);
    RandomDraws::seed(settings.seed);
    MoveList rootMoves;
    board.generateMoves(me, rootMoves);
    const Move firstMove = rootMoves.count > 0 ? rootMoves.moves[0] : Move();
    return IterativeDeepening::run(settings.maxDepth, firstMove, report, listener,
                                   [this](int depth) { return searchDepth(depth); });
}

bool ReferenceSearch::searchDepth(int depth)
{
    int bestScore = -1000000;
    Move bestMove;
    MoveList list;
    board.generateMoves(me, list);
    report.depth = depth;
    report.moveCount = list.count;
    for (int i = 0; i < list.count; ++i) {
        board.applyMove(list.moves[i]);
        const int score = minimax(-1, -100000, 100000, 1, depth);
        board.undoMove(list.moves[i]);
        if (budget.stopped())
            return false;
        const int draw = RandomDraws::next();
        if (score > bestScore || (score == bestScore && draw % 1000 < 50)) {
            bestScore = score;
            bestMove = list.moves[i];
        }
        report.moves[i] = list.moves[i];
        report.scores[i] = score;
    }
    report.best = bestMove;
    report.bestScore = bestScore;
    report.nodeCount = budget.nodeCount();
    return true;
}

int ReferenceSearch::minimax(int side, int alpha, int beta, int ply, int evaluationPly)
{
    if (budget.enter())
        return 0;
    if (ply == evaluationPly || board.hasWon(Side::Red) || board.hasWon(Side::Black))
        return ReferenceEvaluation::evaluate(board, me, ply, settings.level);
    const bool maximising = side == 1;
    int best = maximising ? -1000000 : 1000000;
    MoveList list;
    board.generateMoves(maximising ? me : ~me, list);
    if (list.count == 0)
        return ReferenceEvaluation::evaluate(board, me, ply, settings.level);
    for (int i = 0; i < list.count; ++i) {
        board.applyMove(list.moves[i]);
        const int score = maximising ? minimax(-1, std::max(alpha, best), beta, ply + 1, evaluationPly)
                                     : minimax(1, alpha, std::min(beta, best), ply + 1, evaluationPly);
        board.undoMove(list.moves[i]);
        best = maximising ? std::max(best, score) : std::min(best, score);
        if (maximising ? best >= beta : best <= alpha)
            return best;
    }
    return best;
}
