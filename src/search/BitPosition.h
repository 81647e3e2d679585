// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Board.h"
#include "Move.h"
#include "Pieces.h"
#include "Side.h"

#include <cstdint>

// The search's helpers below must be inlined into it, also into the copy of the
// search that is compiled for the popcnt instruction (ZARVIK_POPCNT_CLONES).
#if defined(__GNUC__)
#define ZARVIK_ALWAYS_INLINE __attribute__((always_inline))
#else
#define ZARVIK_ALWAYS_INLINE
#endif

// Counting bits is much of the evaluations: the searches are compiled twice, with
// and without the popcnt instruction, and the loader picks the one that the
// processor runs. Not under ThreadSanitizer, whose instrumented chooser would run
// before its runtime is ready.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && !defined(__SANITIZE_THREAD__)
#define ZARVIK_POPCNT_CLONES __attribute__((target_clones("popcnt", "default")))
#else
#define ZARVIK_POPCNT_CLONES
#endif

// A compact copy of an 8 x 8 position for the search. Square index x * 8 + y, so
// visiting set bits from the lowest goes column by column from the left and each
// column from the top: the order in which the rules list moves.
//
// Only three kinds of stone matter to the rules: red (Piece::redStone), black's full
// stone (the only black stone that wins or attacks in the evaluation) and every
// other nonzero code, which belongs to black but never wins and never attacks. The
// material and the advance of all stones are kept up to date move by move, so the
// evaluation only has to correct for the few stones under attack.
class BitPosition
{
public:
    using Bits = std::uint64_t;

    static constexpr Bits topRow = 0x0101010101010101ULL;    // y = 0 in every column
    static constexpr Bits bottomRow = 0x8080808080808080ULL; // y = 7 in every column

    BitPosition() = default;
    explicit BitPosition(const Board &board);

    static int square(int x, int y) { return x * 8 + y; }
    static Move toMove(int from, int to) { return Move(from >> 3, from & 7, to >> 3, to & 7); }

    ZARVIK_ALWAYS_INLINE bool redWon() const { return (redStones & topRow) != 0; }
    ZARVIK_ALWAYS_INLINE bool blackWon() const { return (blackRunners & bottomRow) != 0; }
    ZARVIK_ALWAYS_INLINE bool anyWon() const { return ((redStones & topRow) | (blackRunners & bottomRow)) != 0; }
    ZARVIK_ALWAYS_INLINE bool hasWon(Side side) const { return side == Side::Red ? redWon() : blackWon(); }

    // The moves of a side as the squares they start from, one set per way in the
    // rules' order: straight, toward the higher column, toward the lower one.
    struct Steps
    {
        Bits way[3] = {0, 0, 0};

        ZARVIK_ALWAYS_INLINE Bits from() const { return way[0] | way[1] | way[2]; }
        ZARVIK_ALWAYS_INLINE bool empty() const { return from() == 0; }
        ZARVIK_ALWAYS_INLINE bool has(int which, int square) const { return ((way[which] >> square) & 1) != 0; }
        ZARVIK_ALWAYS_INLINE int count() const
        {
            return stoneCount(way[0]) + stoneCount(way[1]) + stoneCount(way[2]);
        }
        ZARVIK_ALWAYS_INLINE Steps operator|(const Steps &other) const
        {
            return Steps{{way[0] | other.way[0], way[1] | other.way[1], way[2] | other.way[2]}};
        }
        // The first move of subset (not empty) in the rules' order: its way, its square,
        // and as result its rank among these steps.
        ZARVIK_ALWAYS_INLINE int rankOfFirst(const Steps &subset, int &which, int &square) const
        {
            square = __builtin_ctzll(subset.from());
            const Bits before = (Bits(1) << square) - 1;
            int rank = stoneCount(way[0] & before) + stoneCount(way[1] & before) + stoneCount(way[2] & before);
            for (which = 0; !subset.has(which, square); ++which)
                rank += has(which, square);
            return rank;
        }
    };

    // Where a step of side in that way leads, from square 0.
    static constexpr int stepOffset(Side side, int which)
    {
        return side == Side::Red ? (which == 0 ? -1 : which == 1 ? 7 : -9) : (which == 0 ? 1 : which == 1 ? 9 : -7);
    }

    // Every move of S; does not ask whether a side has won.
    template <Side S>
    Steps steps() const;
    // The moves among these that take a stone, and those that win.
    template <Side S>
    Steps capturing(const Steps &moves) const;
    template <Side S>
    Steps winning(const Steps &moves) const;

    // Calls visit(from, to) for every move of S in the rules' order until it
    // returns false; returns false when it was stopped. Does not ask whether a side
    // has won: the search never generates in a won position.
    template <Side S, typename Visit>
    bool forEachMove(Visit &&visit) const;

    // The moves of side in the rules' order, none once a side has won; returns the
    // count. out needs room for 3 * 64 moves.
    int generateMoves(Side side, Move *out) const;

    // The position after S moves from one square to another.
    template <Side S>
    BitPosition played(int from, int to) const;

    // The same for a side known only at run time, for searches that do not compile
    // one copy per side.
    Steps stepsOf(Side side) const { return side == Side::Red ? steps<Side::Red>() : steps<Side::Black>(); }
    Steps capturingOf(Side side, const Steps &moves) const
    {
        return side == Side::Red ? capturing<Side::Red>(moves) : capturing<Side::Black>(moves);
    }
    Steps winningOf(Side side, const Steps &moves) const
    {
        return side == Side::Red ? winning<Side::Red>(moves) : winning<Side::Black>(moves);
    }
    BitPosition playedBy(Side side, int from, int to) const
    {
        return side == Side::Red ? played<Side::Red>(from, to) : played<Side::Black>(from, to);
    }
    // Every stone of a side, and the stones of a side that win on its goal row.
    Bits stones(Side side) const { return side == Side::Red ? redStones : blackStones; }
    Bits runners(Side side) const { return side == Side::Red ? redStones : blackRunners; }

    // The evaluation of a position in which nobody has won, from red's side: material
    // only, or with withAdvance the advance of the stones that are not under attack.
    template <bool withAdvance>
    int redScore() const;

    // Leaf count of the move tree depth plies deep, side to move.
    std::uint64_t perft(Side side, int depth) const;

private:
    template <Side S>
    std::uint64_t perftFrom(int depth) const;

    ZARVIK_ALWAYS_INLINE static int stoneCount(Bits bits) { return __builtin_popcountll(bits); }
    // The sum of the rows y of the set bits, from the bits of y weighted 1, 2 and 4.
    ZARVIK_ALWAYS_INLINE static int rowSum(Bits bits)
    {
        return stoneCount(bits & 0xaaaaaaaaaaaaaaaaULL) + 2 * stoneCount(bits & 0xccccccccccccccccULL)
               + 4 * stoneCount(bits & 0xf0f0f0f0f0f0f0f0ULL);
    }

    Bits redStones = 0;
    Bits blackStones = 0;  // every black stone, full or of any other nonzero code
    Bits blackRunners = 0; // black's full stones
    int material = 0;      // 5 per red stone minus 5 per black stone
    int advance = 0;       // advance of every red stone minus that of every black stone
};

template <Side S>
ZARVIK_ALWAYS_INLINE inline BitPosition::Steps BitPosition::steps() const
{
    constexpr Bits columnA = 0xffULL;
    constexpr Bits columnH = 0xffULL << 56;
    const Bits own = S == Side::Red ? redStones : blackStones;
    const Bits empty = ~(redStones | blackStones);
    const Bits open = ~own; // empty or enemy: a diagonal step may go there
    const Bits movable = own & ~(S == Side::Red ? topRow : bottomRow);
    if (S == Side::Red)
        return Steps{{movable & (empty << 1), movable & ~columnH & (open >> 7), movable & ~columnA & (open << 9)}};
    return Steps{{movable & (empty >> 1), movable & ~columnH & (open >> 9), movable & ~columnA & (open << 7)}};
}

template <Side S>
ZARVIK_ALWAYS_INLINE inline BitPosition::Steps BitPosition::capturing(const Steps &moves) const
{
    if (S == Side::Red)
        return Steps{{0, moves.way[1] & (blackStones >> 7), moves.way[2] & (blackStones << 9)}};
    return Steps{{0, moves.way[1] & (redStones >> 9), moves.way[2] & (redStones << 7)}};
}

// Any red stone reaching the top row wins; of black, only its full stones on the bottom row.
template <Side S>
ZARVIK_ALWAYS_INLINE inline BitPosition::Steps BitPosition::winning(const Steps &moves) const
{
    const Bits winners = S == Side::Red ? topRow << 1 : blackRunners & (bottomRow >> 1);
    return Steps{{moves.way[0] & winners, moves.way[1] & winners, moves.way[2] & winners}};
}

template <Side S, typename Visit>
ZARVIK_ALWAYS_INLINE inline bool BitPosition::forEachMove(Visit &&visit) const
{
    const Steps moves = steps<S>();
    for (Bits stones = moves.from(); stones != 0; stones &= stones - 1) {
        const int from = __builtin_ctzll(stones);
        for (int which = 0; which < 3; ++which)
            if (moves.has(which, from) && !visit(from, from + stepOffset(S, which)))
                return false;
    }
    return true;
}

// Without branches: whether the move captures, or moves a full black stone, is hard
// to predict.
template <Side S>
ZARVIK_ALWAYS_INLINE inline BitPosition BitPosition::played(int from, int to) const
{
    BitPosition next = *this;
    const Bits fromBit = Bits(1) << from;
    const Bits toBit = Bits(1) << to;
    const int toRow = to & 7;
    if (S == Side::Red) {
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
    // A red stone is attacked by a full black stone on the row above it, one column to
    // either side; a black stone by a red one on the row below.
    const Bits redAttacked = redStones & ~topRow & ((blackRunners << 9) | (blackRunners >> 7));
    const Bits blackAttacked = blackStones & ~bottomRow & ((redStones << 7) | (redStones >> 9));
    // They lose their advance: 14 - 2y for a red stone, 2y for a black one.
    return material + advance - 14 * stoneCount(redAttacked) + 2 * rowSum(redAttacked | blackAttacked);
}
