// SPDX-License-Identifier: GPL-3.0-or-later
#include "BitPosition.h"

#include "ZarvikBoard.h"

BitPosition::BitPosition(const Board &board)
{
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y) {
            const int code = board.cells[x][y];
            const Bits bit = Bits(1) << square(x, y);
            if (code == ZarvikBoard::redStone) {
                redStones |= bit;
                material += 5;
                advance += ZarvikBoard::advance(red, y);
            } else if (code != 0) {
                blackStones |= bit;
                if (code == ZarvikBoard::blackStone)
                    blackRunners |= bit;
                material -= 5;
                advance -= ZarvikBoard::advance(black, y);
            }
        }
    }
}

int BitPosition::generateMoves(int side, Move *out) const
{
    if (anyWon())
        return 0;
    int count = 0;
    const auto add = [&](int from, int to) {
        out[count++] = toMove(from, to);
        return true;
    };
    if (side == red)
        forEachMove<red>(add);
    else
        forEachMove<black>(add);
    return count;
}

int BitPosition::evaluate(int player, int depth, int level) const
{
    if (hasWon(player))
        return ZarvikBoard::winScore - depth;
    if (hasWon(1 - player))
        return depth - ZarvikBoard::winScore;
    const int score = level >= 3 ? redScore<true>() : redScore<false>();
    return player == red ? score : -score;
}

std::uint64_t BitPosition::perft(int side, int depth) const
{
    Q_ASSERT(depth >= 1);
    return side == red ? perftFrom<red>(depth) : perftFrom<black>(depth);
}

template <int Side>
std::uint64_t BitPosition::perftFrom(int depth) const
{
    std::uint64_t leaves = 0;
    if (anyWon())
        return leaves;
    forEachMove<Side>([&](int from, int to) {
        leaves += depth == 1 ? 1 : played<Side>(from, to).template perftFrom<1 - Side>(depth - 1);
        return true;
    });
    return leaves;
}
