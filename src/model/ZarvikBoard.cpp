// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZarvikBoard.h"

ZarvikBoard::ZarvikBoard()
    : Board(size, size)
{
    resetToInitial();
}

void ZarvikBoard::resetToInitial()
{
    for (int x = 0; x < size; ++x)
        for (int y = 0; y < size; ++y)
            cells[x][y] = y < 2 ? Piece::blackStone : y >= 6 ? Piece::redStone : Piece::empty;
}

std::optional<Side> ZarvikBoard::owner(int code) const
{
    if (code == Piece::empty)
        return std::nullopt;
    return code == Piece::redStone ? Side::Red : Side::Black;
}

// Straight first, then toward the higher column, then toward the lower one.
void ZarvikBoard::generateMovesFrom(int x, int y, MoveList &list) const
{
    const std::optional<Side> side = owner(cells[x][y]);
    if (!side)
        return;
    const int d = side == Side::Black ? 1 : -1;
    if (y == (side == Side::Black ? size - 1 : 0))
        return;
    const auto open = [&](int tx) {
        const int code = cells[tx][y + d];
        return code == Piece::empty || owner(code) != side;
    };
    if (cells[x][y + d] == Piece::empty)
        list.add(x, y, x, y + d);
    if (x < size - 1 && open(x + 1))
        list.add(x, y, x + 1, y + d);
    if (x > 0 && open(x - 1))
        list.add(x, y, x - 1, y + d);
}

// Column by column from the left, each column from the top; nothing once a side has won.
void ZarvikBoard::generateMoves(Side side, MoveList &list) const
{
    if (hasWon(side) || hasWon(~side))
        return;
    for (int x = 0; x < size; ++x)
        for (int y = 0; y < size; ++y)
            if (owner(cells[x][y]) == side)
                generateMovesFrom(x, y, list);
}

bool ZarvikBoard::hasWon(Side side) const
{
    const int goalRow = side == Side::Black ? size - 1 : 0;
    const int stone = Piece::stoneOf(side);
    for (int x = 0; x < size; ++x)
        if (cells[x][goalRow] == stone)
            return true;
    return false;
}

bool ZarvikBoard::isLegal(const Move &move, Side side) const
{
    if (!onBoard(move.fromX, move.fromY) || owner(cells[move.fromX][move.fromY]) != side)
        return false;
    MoveList list;
    generateMovesFrom(move.fromX, move.fromY, list);
    for (int i = 0; i < list.count; ++i)
        if (list.moves[i] == move)
            return true;
    return false;
}

int ZarvikBoard::advance(Side side, int y)
{
    return side == Side::Red ? 14 - 2 * y : 2 * y;
}

bool ZarvikBoard::onBoard(int x, int y)
{
    return x >= 0 && x < size && y >= 0 && y < size;
}
