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

using Weights = ExpertEvaluation::Weights;

// Where each weight's feature stands in ExpertEvaluation::Features.
enum FeatureIndex : std::size_t {
    stoneAt = 0,
    advanceAt = 1,   // then one per distance 1 to 7
    freeStoneAt = 8, // the same
    hangingAt = 15,
    attackedCoveredAt,
    homeHoleAt,
    mobilityAt,
    raceWonAt,
    raceStepAt,
    tempoAt
};

// What one side's stones add up to, to the score or to the features (sign 1 for
// the mover, -1 for the other side).
struct ScoreTally
{
    int score = 0;

    ZARVIK_ALWAYS_INLINE void runner(int rows, bool free)
    {
        score += Weights::advance[rows] + (free ? Weights::freeStone[rows] : 0);
    }
    ZARVIK_ALWAYS_INLINE void stones(int all, int hanging, int covered, int holes, int mobility)
    {
        score += Weights::stone * all - Weights::hanging * hanging - Weights::attackedCovered * covered
                 - Weights::homeHole * holes + Weights::mobility * mobility;
    }
};

struct FeatureTally
{
    ExpertEvaluation::Features &features;
    int sign;

    void runner(int rows, bool free)
    {
        features[advanceAt + std::size_t(rows) - 1] += sign;
        if (free)
            features[freeStoneAt + std::size_t(rows) - 1] += sign;
    }
    void stones(int all, int hanging, int covered, int holes, int mobility)
    {
        features[stoneAt] += sign * all;
        features[hangingAt] -= sign * hanging;
        features[attackedCoveredAt] -= sign * covered;
        features[homeHoleAt] -= sign * holes;
        features[mobilityAt] += sign * mobility;
    }
};
} // namespace

BitPosition::Bits ExpertEvaluation::attacks(const BitPosition &position, Side side)
{
    const Bits stones = position.stones(side);
    if (side == Side::Red)
        return ((stones << 7) | (stones >> 9)) & ~BitPosition::bottomRow;
    return ((stones << 9) | (stones >> 7)) & ~BitPosition::topRow;
}

template <typename Tally>
inline ExpertEvaluation::SideTerms ExpertEvaluation::sideTerms(const BitPosition &position, Side side, Tally &tally)
{
    SideTerms terms;
    const Bits own = position.stones(side);
    const Bits enemy = position.stones(~side);
    const Bits runners = position.runners(side);
    const Bits blockers = enemy | (own & ~runners);
    for (Bits stones = runners; stones; stones &= stones - 1) {
        const int square = __builtin_ctzll(stones);
        const int rows = distance(side, square);
        const bool free = (blockers & interceptors(side, square)) == 0;
        tally.runner(rows, free);
        terms.fastest = std::min(terms.fastest, rows);
        if (free)
            terms.fastestFree = std::min(terms.fastestFree, rows);
    }
    const Bits attacked = own & attacks(position, ~side);
    const Bits covered = attacks(position, side);
    const Bits home = side == Side::Red ? BitPosition::bottomRow : BitPosition::topRow;
    tally.stones(count(own), count(attacked & ~covered), count(attacked & covered), count(home & ~own),
                 position.stepsOf(side).count());
    return terms;
}

// The side to move arrives first on a tie; the other side wins only by arriving
// before the mover's nearest stone, free or not.
inline ExpertEvaluation::RaceLead ExpertEvaluation::raceLead(const SideTerms &mover, const SideTerms &other)
{
    if (mover.fastestFree < 8 && mover.fastestFree <= other.fastest)
        return {1, mover.fastestFree};
    if (other.fastestFree < 8 && other.fastestFree < mover.fastest)
        return {-1, other.fastestFree};
    return {};
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
    ScoreTally mine;
    ScoreTally theirs;
    const SideTerms mover = sideTerms(position, sideToMove, mine);
    const SideTerms other = sideTerms(position, ~sideToMove, theirs);
    const RaceLead lead = raceLead(mover, other);
    const int race = lead.sign * (Weights::raceWon - Weights::raceStep * lead.rows);
    return {mine.score - theirs.score + race + Weights::tempo, racePlies(mover, other)};
}

ExpertEvaluation::Features ExpertEvaluation::features(const BitPosition &position, Side sideToMove)
{
    Features counted{};
    FeatureTally mine{counted, 1};
    FeatureTally theirs{counted, -1};
    const RaceLead lead = raceLead(sideTerms(position, sideToMove, mine), sideTerms(position, ~sideToMove, theirs));
    counted[raceWonAt] = lead.sign;
    counted[raceStepAt] = -lead.sign * lead.rows;
    counted[tempoAt] = 1;
    return counted;
}

std::string ExpertEvaluation::weightName(int index)
{
    static const char *const single[] = {"hanging", "attackedCovered", "homeHole", "mobility",
                                         "raceWon", "raceStep", "tempo"};
    const auto at = std::size_t(index);
    if (at == stoneAt)
        return "stone";
    if (at < freeStoneAt)
        return "advance[" + std::to_string(at - advanceAt + 1) + "]";
    if (at < hangingAt)
        return "freeStone[" + std::to_string(at - freeStoneAt + 1) + "]";
    return single[at - hangingAt];
}

std::array<int, ExpertEvaluation::featureCount> ExpertEvaluation::weights()
{
    std::array<int, featureCount> all{};
    all[stoneAt] = Weights::stone;
    for (std::size_t rows = 1; rows < 8; ++rows) {
        all[advanceAt + rows - 1] = Weights::advance[rows];
        all[freeStoneAt + rows - 1] = Weights::freeStone[rows];
    }
    all[hangingAt] = Weights::hanging;
    all[attackedCoveredAt] = Weights::attackedCovered;
    all[homeHoleAt] = Weights::homeHole;
    all[mobilityAt] = Weights::mobility;
    all[raceWonAt] = Weights::raceWon;
    all[raceStepAt] = Weights::raceStep;
    all[tempoAt] = Weights::tempo;
    return all;
}
