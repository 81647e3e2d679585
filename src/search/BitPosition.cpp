// SPDX-License-Identifier: GPL-3.0-or-later
#include "BitPosition.h"

#include "ZarvikBoard.h"

BitPosition::BitPosition(const Board &board)
{
    for (int x = 0; x < 8; ++x) {
        for (int y = 0; y < 8; ++y) {
            const int code = board.cells[x][y];
            const Bits bit = Bits(1) << square(x, y);
            if (code == Piece::redStone) {
                redStones |= bit;
                material += 5;
                advance += ZarvikBoard::advance(Side::Red, y);
            } else if (code != Piece::empty) {
                blackStones |= bit;
                if (code == Piece::blackStone)
                    blackRunners |= bit;
                material -= 5;
                advance -= ZarvikBoard::advance(Side::Black, y);
            }
        }
    }
}

int BitPosition::generateMoves(Side side, Move *out) const
{
    if (anyWon())
        return 0;
    int count = 0;
    const auto add = [&](int from, int to) {
        out[count++] = toMove(from, to);
        return true;
    };
    if (side == Side::Red)
        forEachMove<Side::Red>(add);
    else
        forEachMove<Side::Black>(add);
    return count;
}

std::uint64_t BitPosition::perft(Side side, int depth) const
{
    Q_ASSERT(depth >= 1);
    return side == Side::Red ? perftFrom<Side::Red>(depth) : perftFrom<Side::Black>(depth);
}

template <Side S>
std::uint64_t BitPosition::perftFrom(int depth) const
{
    std::uint64_t leaves = 0;
    if (anyWon())
        return leaves;
    forEachMove<S>([&](int from, int to) {
        leaves += depth == 1 ? 1 : played<S>(from, to).template perftFrom<~S>(depth - 1);
        return true;
    });
    return leaves;
}
