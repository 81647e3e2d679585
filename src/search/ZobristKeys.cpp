// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZobristKeys.h"

#include <array>

namespace {
constexpr int squares = 64;
constexpr int kinds = 3; // of stones: red, black that wins, other black
constexpr std::size_t keyCount = kinds * squares + 1; // and black to move

// splitmix64: fixed, well mixed numbers, the same in every run.
constexpr std::uint64_t mixed(std::uint64_t n)
{
    std::uint64_t z = (n + 1) * 0x9e3779b97f4a7c15ULL;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

constexpr std::array<std::uint64_t, keyCount> makeKeys()
{
    std::array<std::uint64_t, keyCount> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = mixed(i);
    return keys;
}

constexpr auto keys = makeKeys();
constexpr std::size_t blackToMove = keyCount - 1;
} // namespace

ZobristKeys::Key ZobristKeys::stone(Kind kind, int square)
{
    return keys[std::size_t(int(kind) * squares + square)];
}

ZobristKeys::Kind ZobristKeys::kindOn(const BitPosition &position, int square)
{
    const BitPosition::Bits bit = BitPosition::Bits(1) << square;
    if (position.stones(Side::Red) & bit)
        return Kind::redStone;
    return position.runners(Side::Black) & bit ? Kind::blackRunner : Kind::blackOther;
}

ZobristKeys::Key ZobristKeys::sideChange()
{
    return keys[blackToMove];
}

ZobristKeys::Key ZobristKeys::of(const BitPosition &position, Side sideToMove)
{
    Key key = sideToMove == Side::Black ? sideChange() : 0;
    for (BitPosition::Bits stones = position.stones(Side::Red) | position.stones(Side::Black); stones;
         stones &= stones - 1) {
        const int square = __builtin_ctzll(stones);
        key ^= stone(kindOn(position, square), square);
    }
    return key;
}

ZobristKeys::Key ZobristKeys::moveChange(const BitPosition &position, Side side, int from, int to)
{
    const Kind mover = kindOn(position, from);
    Key change = sideChange() ^ stone(mover, from) ^ stone(mover, to);
    if ((position.stones(~side) >> to) & 1)
        change ^= stone(kindOn(position, to), to);
    return change;
}
