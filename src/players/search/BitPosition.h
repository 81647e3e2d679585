#pragma once

#include "Board.h"
#include "Move.h"

#include <cstdint>

// The search's helpers below must be inlined into it, also into the copy of the
// search that is compiled for the popcnt instruction (see FastSearch.h).
#if defined(__GNUC__)
#define ZARVIK_ALWAYS_INLINE __attribute__((always_inline))
#else
#define ZARVIK_ALWAYS_INLINE
#endif

// A compact copy of an 8 x 8 position for the search. Square index x * 8 + y, so
// visiting set bits from the lowest goes column by column from the left and each
// column from the top: the order in which the rules list moves.
//
// Only three kinds of stone matter to the rules: red (code 4), black code 2 (the
// only black stone that wins or attacks in the evaluation) and every other nonzero
// code, which belongs to black but never wins and never attacks. The material and
// the advance of all stones are kept up to date move by move, so the evaluation
// only has to correct for the few stones under attack.
class BitPosition
{
public:
    using Bits = std::uint64_t;

    static constexpr int red = 0;
    static constexpr int black = 1;
    static constexpr Bits topRow = 0x0101010101010101ULL;    // y = 0 in every column
    static constexpr Bits bottomRow = 0x8080808080808080ULL; // y = 7 in every column

    BitPosition() = default;
    explicit BitPosition(const Board &board);

    static int square(int x, int y) { return x * 8 + y; }
    static Move toMove(int from, int to) { return Move(from >> 3, from & 7, to >> 3, to & 7); }

    ZARVIK_ALWAYS_INLINE bool redWon() const { return (redStones & topRow) != 0; }
    ZARVIK_ALWAYS_INLINE bool blackWon() const { return (blackRunners & bottomRow) != 0; }
    ZARVIK_ALWAYS_INLINE bool anyWon() const { return ((redStones & topRow) | (blackRunners & bottomRow)) != 0; }
    ZARVIK_ALWAYS_INLINE bool hasWon(int side) const { return side == red ? redWon() : blackWon(); }

    // Calls visit(from, to) for every move of Side in the rules' order until it
    // returns false; returns false when it was stopped. Does not ask whether a side
    // has won: the search never generates in a won position.
    template <int Side, typename Visit>
    bool forEachMove(Visit &&visit) const;

    // The moves of side in the rules' order, none once a side has won; returns the
    // count. out needs room for 3 * 64 moves.
    int generateMoves(int side, Move *out) const;

    // The position after Side moves from one square to another.
    template <int Side>
    BitPosition played(int from, int to) const;

    // The evaluation of a position in which nobody has won, from red's side: material
    // only, or with withAdvance the advance of the stones that are not under attack.
    template <bool withAdvance>
    int redScore() const;

    // The rules' evaluation, from player's side, depth plies below the root.
    int evaluate(int player, int depth, int level) const;

    // Leaf count of the move tree depth plies deep, side to move.
    std::uint64_t perft(int side, int depth) const;

private:
    template <int Side>
    std::uint64_t perftFrom(int depth) const;

    ZARVIK_ALWAYS_INLINE static int stoneCount(Bits bits) { return __builtin_popcountll(bits); }
    // The sum of the rows y of the set bits, from the bits of y weighted 1, 2 and 4.
    ZARVIK_ALWAYS_INLINE static int rowSum(Bits bits)
    {
        return stoneCount(bits & 0xaaaaaaaaaaaaaaaaULL) + 2 * stoneCount(bits & 0xccccccccccccccccULL)
               + 4 * stoneCount(bits & 0xf0f0f0f0f0f0f0f0ULL);
    }

    Bits redStones = 0;
    Bits blackStones = 0;  // every black stone, code 2 or any other nonzero code
    Bits blackRunners = 0; // the black stones of code 2
    int material = 0;      // 5 per red stone minus 5 per black stone
    int advance = 0;       // advance of every red stone minus that of every black stone
};

template <int Side, typename Visit>
ZARVIK_ALWAYS_INLINE inline bool BitPosition::forEachMove(Visit &&visit) const
{
    const Bits own = Side == red ? redStones : blackStones;
    const Bits empty = ~(redStones | blackStones);
    const Bits open = ~own;
    const Bits movable = own & ~(Side == red ? topRow : bottomRow);
    for (Bits stones = movable; stones != 0; stones &= stones - 1) {
        const int from = __builtin_ctzll(stones);
        const int ahead = Side == red ? from - 1 : from + 1;
        if (((empty >> ahead) & 1) != 0 && !visit(from, ahead))
            return false;
        if (from < 56 && ((open >> (ahead + 8)) & 1) != 0 && !visit(from, ahead + 8))
            return false;
        if (from >= 8 && ((open >> (ahead - 8)) & 1) != 0 && !visit(from, ahead - 8))
            return false;
    }
    return true;
}

// Without branches: whether the move captures, or moves a code 2 stone, is hard
// to predict.
template <int Side>
ZARVIK_ALWAYS_INLINE inline BitPosition BitPosition::played(int from, int to) const
{
    BitPosition next = *this;
    const Bits fromBit = Bits(1) << from;
    const Bits toBit = Bits(1) << to;
    const int toRow = to & 7;
    if (Side == red) {
        const Bits captured = blackStones & toBit;
        const int took = int(captured >> to);
        next.redStones ^= fromBit | toBit;
        next.blackStones ^= captured;
        next.blackRunners &= ~toBit;
        next.material += 5 * took;
        next.advance += 2 + took * 2 * toRow;
    } else {
        const Bits runner = blackRunners & fromBit;
        const Bits captured = redStones & toBit;
        const int took = int(captured >> to);
        next.blackStones ^= fromBit | toBit;
        next.blackRunners ^= runner | ((runner >> from) << to);
        next.redStones ^= captured;
        next.material -= 5 * took;
        next.advance -= 2 + took * (14 - 2 * toRow);
    }
    return next;
}

template <bool withAdvance>
ZARVIK_ALWAYS_INLINE inline int BitPosition::redScore() const
{
    if (!withAdvance)
        return material;
    // A red stone is attacked by a code 2 stone on the row above it, one column to
    // either side; a black stone by a red one on the row below.
    const Bits redAttacked = redStones & ~topRow & ((blackRunners << 9) | (blackRunners >> 7));
    const Bits blackAttacked = blackStones & ~bottomRow & ((redStones << 7) | (redStones >> 9));
    // They lose their advance: 14 - 2y for a red stone, 2y for a black one.
    return material + advance - 14 * stoneCount(redAttacked) + 2 * rowSum(redAttacked | blackAttacked);
}
