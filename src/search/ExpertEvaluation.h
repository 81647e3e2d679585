// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BitPosition.h"

#include <array>
#include <string>

// Level 4's judgement of a position in which nobody has won yet, from the side to
// move's view. All its weights are here, so that matches can tune them.
class ExpertEvaluation
{
public:
    // Distances are the rows a stone still has to go to its goal row, 1 to 7.
    // stone, advance[2..7], freeStone[2..3], homeHole, mobility and tempo are fitted
    // to the results of level 4's games against itself (zarvik-engine tune); the
    // others weigh what quiet positions almost never show and are set by hand.
    struct Weights
    {
        static constexpr int stone = 89;
        static constexpr int advance[8] = {0, 80, 34, 39, 7, -4, -11, -8};
        // A stone that no enemy stone can reach any more before it arrives, and that
        // no stone of its own that cannot win stands in the way of.
        static constexpr int freeStone[8] = {0, 300, 343, 167, 120, 90, 70, 60};
        // The race won: one side's fastest free stone arrives first whatever the
        // other does; less a step per move it still needs.
        static constexpr int raceWon = 4000;
        static constexpr int raceStep = 100;
        // A stone that an enemy can take next move, not covered by one of its own.
        static constexpr int hanging = 30;
        // The same when one of its own stones would take back.
        static constexpr int attackedCovered = 8;
        // An empty square of the own home row: a way through for the enemy.
        static constexpr int homeHole = 2;
        static constexpr int mobility = 0;
        static constexpr int tempo = 5;
    };

    // The link between scores and results: a score s for the side to move means an
    // expected result of 1 / (1 + e^(-resultScale s)) for it. From the fit that gave
    // today's weights (zarvik-engine tune over 992 games of level 4 against itself,
    // 38089 samples: docs/strength.md); fit it again whenever the weights change.
    static constexpr double resultScale = 0.0140637;

    // The score of a position, and when its race is decided, the plies to its end:
    // positive when the side to move wins, negative when it loses, 0 when undecided.
    struct Judgement
    {
        int score = 0;
        int racePlies = 0;
    };

    static Judgement judge(const BitPosition &position, Side sideToMove);

    // The evaluation is linear in its weights: the score is the sum of each weight
    // times its feature, the count of what it weighs (the mover's less the other
    // side's). Features and weights in the same order: stone, advance[1..7],
    // freeStone[1..7], hanging, attackedCovered, homeHole, mobility, raceWon,
    // raceStep, tempo. For fitting the weights to games.
    static constexpr int featureCount = 22;
    using Features = std::array<int, featureCount>;
    static Features features(const BitPosition &position, Side sideToMove);
    static std::array<int, featureCount> weights();
    // The name of the weight at that index, as Weights writes it: "advance[3]".
    static std::string weightName(int index);

    // The squares that the stones of side could take on next move.
    static BitPosition::Bits attacks(const BitPosition &position, Side side);
    // The rows between a stone on square and its side's goal row.
    static int distance(Side side, int square) { return side == Side::Red ? square & 7 : 7 - (square & 7); }

private:
    struct SideTerms
    {
        int fastest = 8;     // distance of its nearest stone that wins on arrival
        int fastestFree = 8; // the same among its free stones
    };
    // Who leads the race (1 the mover, -1 the other side, 0 nobody) with a free stone
    // that many rows from its goal.
    struct RaceLead
    {
        int sign = 0;
        int rows = 0;
    };
    template <typename Tally>
    ZARVIK_ALWAYS_INLINE static SideTerms sideTerms(const BitPosition &position, Side side, Tally &tally);
    ZARVIK_ALWAYS_INLINE static RaceLead raceLead(const SideTerms &mover, const SideTerms &other);
    ZARVIK_ALWAYS_INLINE static int racePlies(const SideTerms &mover, const SideTerms &other);
    ZARVIK_POPCNT_CLONES static Judgement judged(const BitPosition &position, Side sideToMove);
};
