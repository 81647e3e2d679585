// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers of the tests over the rules: positions written as on screen ("D4:4 C5:2"
// puts code 4 on D4 and code 2 on C5, the rest empty), move lists as their texts,
// random games.

#include "ZarvikBoard.h"

#include <QtTest>

constexpr Side red = Side::Red, black = Side::Black;

inline Move move(const char *a, const char *b) { return Move(a[0] - 'A', '8' - a[1], b[0] - 'A', '8' - b[1]); }

inline void position(Board &board, const char *stones)
{
    board.cells.assign(8, std::vector<int>(8, 0));
    for (const QString &stone : QString(stones).split(' ', Qt::SkipEmptyParts))
        board.cells[stone[0].unicode() - 'A']['8' - stone[1].unicode()] = stone.mid(3).toInt();
}

// The moves of a side, or of the stone on cell when one is named, as "A2 - A3|A2 - B3".
inline QString movesOf(const Board &board, Side side, const char *cell = nullptr)
{
    MoveList list;
    cell ? board.generateMovesFrom(cell[0] - 'A', '8' - cell[1], list) : board.generateMoves(side, list);
    QString texts;
    for (int i = 0; i < list.count; ++i)
        texts += '|' + list.moves[i].toText(8, 8);
    return texts.mid(1);
}

// Leaf count of the move tree to the given depth; stops at won positions.
inline quint64 perft(Board &board, Side side, int depth)
{
    MoveList list;
    board.generateMoves(side, list);
    quint64 leaves = depth == 1 ? quint64(list.count) : 0;
    for (int i = 0; depth > 1 && i < list.count; ++i) {
        board.applyMove(list.moves[i]);
        leaves += perft(board, ~side, depth - 1);
        board.undoMove(list.moves[i]);
    }
    return leaves;
}

// Odd seeds start from random stones of every code (1, 3 and strangers included) on
// rows 2 to 7, even ones from the initial position. Then random moves, red first,
// until the side to move has none; visit(side) comes before each and at the end.
template <typename Visit>
void playRandomGame(Board &board, quint32 seed, Visit visit)
{
    static const int codes[] = {0, 0, 0, 0, 2, 2, 4, 4, 1, 3, 9, -1};
    QRandomGenerator random(seed);
    board.resetToInitial();
    for (int square = 0; seed % 2 && square < 64; ++square)
        board.cells[square / 8][square % 8] = square % 8 % 7 ? codes[random.bounded(12)] : 0;
    for (Side side = red;; side = ~side) {
        visit(side);
        MoveList list;
        board.generateMoves(side, list);
        if (list.count == 0)
            return;
        board.applyMove(list.moves[random.bounded(list.count)]);
    }
}
