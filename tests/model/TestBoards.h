#pragma once

// Helpers of the model tests: cells named as on screen ("D4"), positions written
// as "D4:4 C5:2", move lists as move texts, random games.

#include "ZarvikBoard.h"

#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <iterator>
#include <vector>

namespace TestBoards {

constexpr int size = ZarvikBoard::size, red = ZarvikBoard::red, black = ZarvikBoard::black;

inline int colOf(const char *cell) { return cell[0] - 'A'; }
inline int rowOf(const char *cell) { return size - (cell[1] - '0'); }
inline Move move(const char *from, const char *to) { return Move(colOf(from), rowOf(from), colOf(to), rowOf(to)); }

inline void fill(Board &board, int code)
{
    for (auto &column : board.cells)
        std::fill(column.begin(), column.end(), code);
}

inline void position(Board &board, const QString &stones)
{
    fill(board, 0);
    for (const QString &stone : stones.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QByteArray s = stone.toLatin1();
        board.cells[colOf(s)][rowOf(s)] = s.mid(3).toInt();
    }
}

inline QStringList texts(const MoveList &list)
{
    QStringList result;
    for (int i = 0; i < list.count; ++i)
        result << list.moves[i].toText(size, size);
    return result;
}

inline QStringList movesFrom(const Board &board, const char *cell)
{
    MoveList list;
    board.generateMovesFrom(colOf(cell), rowOf(cell), list);
    return texts(list);
}

inline QStringList movesOf(const Board &board, int player)
{
    MoveList list;
    board.generateMoves(player, list);
    return texts(list);
}

// Plays random moves, red first, until the side to move has none; calls
// visit(side) before each move. Returns the moves in order, captured filled in.
template <typename Visit>
std::vector<Move> playRandomGame(Board &board, quint32 seed, Visit visit)
{
    QRandomGenerator random(seed);
    std::vector<Move> played;
    for (int side = red;; side = 1 - side) {
        visit(side);
        MoveList list;
        board.generateMoves(side, list);
        if (list.count == 0)
            return played;
        played.push_back(list.moves[random.bounded(list.count)]);
        board.applyMove(played.back());
    }
}

// Random stones of every kind of code, 1, 3 and strangers included, on rows 2 to 7.
inline void scatter(Board &board, quint32 seed)
{
    static const int codes[] = {0, 0, 0, 0, 2, 2, 4, 4, 1, 3, 9, -1};
    QRandomGenerator random(seed);
    fill(board, 0);
    for (int x = 0; x < size; ++x)
        for (int y = 1; y < size - 1; ++y)
            board.cells[x][y] = codes[random.bounded(int(std::size(codes)))];
}

} // namespace TestBoards
