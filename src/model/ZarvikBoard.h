// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Board.h"

// The rules of the race game on 8 x 8 squares. Red (0, code 4) starts on the two
// bottom rows and moves up; black (1, code 2) starts on the two top rows and moves
// down. A stone steps one row forward, straight onto an empty square or diagonally
// onto an empty square or an enemy stone; the first stone on the far row wins.
class ZarvikBoard : public Board
{
public:
    static constexpr int size = 8;
    static constexpr int red = 0;
    static constexpr int black = 1;
    static constexpr int nobody = 2;
    static constexpr int empty = 0;
    static constexpr int smallBlackStone = 1;
    static constexpr int blackStone = 2;
    static constexpr int smallRedStone = 3;
    static constexpr int redStone = 4;
    // The score of a won position before the plies it took are taken off, so that
    // the quickest win scores best.
    static constexpr int winScore = 10000;

    ZarvikBoard();

    void generateMovesFrom(int x, int y, MoveList &list) const override;
    void generateMoves(int player, MoveList &list) const override;
    int owner(int code) const override;
    bool hasWon(int player) const override;
    void resetToInitial() override;
    int evaluate(int player, int depth, int level) const override;
    bool isLegal(const Move &move, int player) const override;

    // Twice the rows a stone of side on row y has advanced from its back row:
    // advance(red, 6) = 2, advance(black, 1) = 2.
    static int advance(int side, int y);

private:
    // Whether a stone of side on (x, y) can be taken by the enemy's next move;
    // only the exact codes 2 and 4 attack.
    bool threatened(int side, int x, int y) const;
    bool holdsCode(int x, int y, int code) const;
    static bool onBoard(int x, int y);
};
