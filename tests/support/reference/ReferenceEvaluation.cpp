// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReferenceEvaluation.h"

#include "ZarvikBoard.h"

namespace {
bool holdsCode(const Board &board, int x, int y, int code)
{
    return ZarvikBoard::onBoard(x, y) && board.cells[x][y] == code;
}

// Only the exact codes 2 and 4 attack.
bool threatened(const Board &board, Side side, int x, int y)
{
    const int dy = side == Side::Red ? -1 : 1;
    const int enemy = Piece::stoneOf(~side);
    return holdsCode(board, x - 1, y + dy, enemy) || holdsCode(board, x + 1, y + dy, enemy);
}
} // namespace

int ReferenceEvaluation::evaluate(const Board &board, Side side, int depth, int level)
{
    if (board.hasWon(side))
        return Score::win - depth;
    if (board.hasWon(~side))
        return depth - Score::win;
    int score = 0;
    for (int x = 0; x < ZarvikBoard::size; ++x) {
        for (int y = 0; y < ZarvikBoard::size; ++y) {
            const std::optional<Side> owner = board.owner(board.cells[x][y]);
            if (!owner)
                continue;
            const int sign = owner == side ? 1 : -1;
            score += sign * 5;
            if (level >= 3 && !threatened(board, *owner, x, y))
                score += sign * ZarvikBoard::advance(*owner, y);
        }
    }
    return score;
}
