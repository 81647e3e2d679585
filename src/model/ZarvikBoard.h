// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Board.h"
#include "Pieces.h"

// The rules of the race game on 8 x 8 squares. Red (code 4) starts on the two
// bottom rows and moves up; black (code 2) starts on the two top rows and moves
// down. A stone steps one row forward, straight onto an empty square or diagonally
// onto an empty square or an enemy stone; the first stone on the far row wins.
class ZarvikBoard : public Board
{
public:
    static constexpr int size = 8;

    ZarvikBoard();

    void generateMovesFrom(int x, int y, MoveList &list) const override;
    void generateMoves(Side side, MoveList &list) const override;
    // Only code 4 is red's: the small stones 1 and 3 both move down the board.
    std::optional<Side> owner(int code) const override;
    bool hasWon(Side side) const override;
    void resetToInitial() override;
    bool isLegal(const Move &move, Side side) const override;

    // Twice the rows a stone of side on row y has advanced from its back row:
    // advance(Side::Red, 6) = 2, advance(Side::Black, 1) = 2.
    static int advance(Side side, int y);
    static bool onBoard(int x, int y);
};
