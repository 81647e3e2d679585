// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZarvikBoard.h"

namespace {
int otherSide(int player)
{
    return player == ZarvikBoard::red ? ZarvikBoard::black : ZarvikBoard::red;
}
} // namespace

ZarvikBoard::ZarvikBoard()
    : Board(size, size)
{
    resetToInitial();
}

void ZarvikBoard::resetToInitial()
{
    for (int x = 0; x < size; ++x)
        for (int y = 0; y < size; ++y)
            cells[x][y] = y < 2 ? blackStone : y >= 6 ? redStone : 0;
}

int ZarvikBoard::owner(int code) const
{
    return code == 0 ? nobody : code == redStone ? red : black;
}

// Straight first, then toward the higher column, then toward the lower one.
void ZarvikBoard::generateMovesFrom(int x, int y, MoveList &list) const
{
    const int side = owner(cells[x][y]);
    if (side == nobody)
        return;
    const int d = side == black ? 1 : -1;
    if (y == (side == black ? size - 1 : 0))
        return;
    const auto open = [&](int tx) {
        const int code = cells[tx][y + d];
        return code == 0 || owner(code) != side;
    };
    if (cells[x][y + d] == 0)
        list.add(x, y, x, y + d);
    if (x < size - 1 && open(x + 1))
        list.add(x, y, x + 1, y + d);
    if (x > 0 && open(x - 1))
        list.add(x, y, x - 1, y + d);
}

// Column by column from the left, each column from the top; nothing once a side has won.
void ZarvikBoard::generateMoves(int player, MoveList &list) const
{
    if (hasWon(player) || hasWon(otherSide(player)))
        return;
    for (int x = 0; x < size; ++x)
        for (int y = 0; y < size; ++y)
            if (cells[x][y] != 0 && owner(cells[x][y]) == player)
                generateMovesFrom(x, y, list);
}

bool ZarvikBoard::hasWon(int player) const
{
    const int goalRow = player == black ? size - 1 : 0;
    const int stone = player == black ? blackStone : redStone;
    for (int x = 0; x < size; ++x)
        if (cells[x][goalRow] == stone)
            return true;
    return false;
}

bool ZarvikBoard::isLegal(const Move &move, int player) const
{
    if (!onBoard(move.fromX, move.fromY))
        return false;
    const int code = cells[move.fromX][move.fromY];
    if (code == 0 || owner(code) != player)
        return false;
    MoveList list;
    generateMovesFrom(move.fromX, move.fromY, list);
    for (int i = 0; i < list.count; ++i)
        if (list.moves[i] == move)
            return true;
    return false;
}

int ZarvikBoard::advance(int side, int y)
{
    return side == red ? 14 - 2 * y : 2 * y;
}

bool ZarvikBoard::onBoard(int x, int y)
{
    return x >= 0 && x < size && y >= 0 && y < size;
}

bool ZarvikBoard::holdsCode(int x, int y, int code) const
{
    return onBoard(x, y) && cells[x][y] == code;
}

bool ZarvikBoard::threatened(int side, int x, int y) const
{
    if (side == red)
        return holdsCode(x - 1, y - 1, blackStone) || holdsCode(x + 1, y - 1, blackStone);
    return holdsCode(x - 1, y + 1, redStone) || holdsCode(x + 1, y + 1, redStone);
}

int ZarvikBoard::evaluate(int player, int depth, int level) const
{
    const int opp = otherSide(player);
    if (hasWon(player))
        return winScore - depth;
    if (hasWon(opp))
        return depth - winScore;
    int score = 0;
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            const int code = cells[x][y];
            if (code == 0)
                continue;
            const int side = owner(code) == player ? player : opp;
            const int sign = side == player ? 1 : -1;
            score += sign * 5;
            if (level >= 3 && !threatened(side, x, y))
                score += sign * advance(side, y);
        }
    }
    return score;
}
