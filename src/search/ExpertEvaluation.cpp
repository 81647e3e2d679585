// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExpertEvaluation.h"

#include <algorithm>
#include <array>

namespace {
using Bits = BitPosition::Bits;
constexpr int squares = 64;

// The squares from which an enemy stone might still stop a stone of side on square:
// every square ahead of it no farther sideways than ahead.
constexpr Bits interceptorsOf(Side side, int square)
{
    const int x = square >> 3;
    const int y = square & 7;
    Bits found = 0;
    for (int ahead = 1; ahead < 8; ++ahead) {
        const int row = side == Side::Red ? y - ahead : y + ahead;
        for (int column = x - ahead; row >= 0 && row < 8 && column <= x + ahead; ++column)
            if (column >= 0 && column < 8)
                found |= Bits(1) << (column * 8 + row);
    }
    return found;
}

constexpr std::array<std::array<Bits, squares>, 2> makeInterceptors()
{
    std::array<std::array<Bits, squares>, 2> table{};
    for (Side side : bothSides)
        for (int square = 0; square < squares; ++square)
            table[std::size_t(indexOf(side))][std::size_t(square)] = interceptorsOf(side, square);
    return table;
}

constexpr auto interceptorTable = makeInterceptors();

ZARVIK_ALWAYS_INLINE inline Bits interceptors(Side side, int square)
{
    return interceptorTable[std::size_t(indexOf(side))][std::size_t(square)];
}

ZARVIK_ALWAYS_INLINE inline int count(Bits bits)
{
    return __builtin_popcountll(bits);
}
} // namespace

BitPosition::Bits ExpertEvaluation::attacks(const BitPosition &position, Side side)
{
    const Bits stones = position.stones(side);
    if (side == Side::Red)
        return ((stones << 7) | (stones >> 9)) & ~BitPosition::bottomRow;
    return ((stones << 9) | (stones >> 7)) & ~BitPosition::topRow;
}

inline ExpertEvaluation::SideTerms ExpertEvaluation::sideTerms(const BitPosition &position, Side side)
{
    SideTerms terms;
    const Bits own = position.stones(side);
    const Bits enemy = position.stones(~side);
    const Bits runners = position.runners(side);
    const Bits blockers = enemy | (own & ~runners);
    for (Bits stones = runners; stones; stones &= stones - 1) {
        const int square = __builtin_ctzll(stones);
        const int rows = distance(side, square);
        terms.score += Weights::advance[rows];
        terms.fastest = std::min(terms.fastest, rows);
        if ((blockers & interceptors(side, square)) == 0) {
            terms.score += Weights::freeStone[rows];
            terms.fastestFree = std::min(terms.fastestFree, rows);
        }
    }
    const Bits attacked = own & attacks(position, ~side);
    const Bits covered = attacks(position, side);
    const Bits home = side == Side::Red ? BitPosition::bottomRow : BitPosition::topRow;
    terms.score += Weights::stone * count(own) - Weights::hanging * count(attacked & ~covered)
                   - Weights::attackedCovered * count(attacked & covered) - Weights::homeHole * count(home & ~own)
                   + Weights::mobility * position.stepsOf(side).count();
    return terms;
}

// The side to move arrives first on a tie; the other side wins only by arriving
// before the mover's nearest stone, free or not.
inline int ExpertEvaluation::raceScore(const SideTerms &mover, const SideTerms &other)
{
    if (mover.fastestFree < 8 && mover.fastestFree <= other.fastest)
        return Weights::raceWon - Weights::raceStep * mover.fastestFree;
    if (other.fastestFree < 8 && other.fastestFree < mover.fastest)
        return Weights::raceStep * other.fastestFree - Weights::raceWon;
    return 0;
}

// The race is decided exactly when the side that arrives first does so with its
// nearest winning stone: no other stone of either side can win sooner, and nothing
// can stop a free stone. The mover arrives on its (2 d - 1)th ply, the other side
// on its 2 d th.
inline int ExpertEvaluation::racePlies(const SideTerms &mover, const SideTerms &other)
{
    if (mover.fastestFree < 8 && mover.fastestFree == mover.fastest && mover.fastestFree <= other.fastest)
        return 2 * mover.fastestFree - 1;
    if (other.fastestFree < 8 && other.fastestFree == other.fastest && other.fastestFree < mover.fastest)
        return -2 * other.fastestFree;
    return 0;
}

ExpertEvaluation::Judgement ExpertEvaluation::judge(const BitPosition &position, Side sideToMove)
{
    return judged(position, sideToMove);
}

ExpertEvaluation::Judgement ExpertEvaluation::judged(const BitPosition &position, Side sideToMove)
{
    const SideTerms mover = sideTerms(position, sideToMove);
    const SideTerms other = sideTerms(position, ~sideToMove);
    return {mover.score - other.score + raceScore(mover, other) + Weights::tempo, racePlies(mover, other)};
}
