// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Move.h"
#include "MoveList.h"

#include <QString>

#include <vector>

// The position of a game: a grid of piece codes addressed cells[x][y], the last move
// applied, and the rule operations that a concrete game supplies.
//
// Player numbers: 0 red, 1 black, 2 nobody. Piece codes: 0 empty, 1 small black
// stone, 2 black stone, 3 small red stone, 4 red stone. Board files hold only these;
// other integers, which a remote program may send, are stored unchanged.
class Board
{
public:
    Board(int columns, int rows);
    virtual ~Board();
    Board(const Board &) = delete;
    Board &operator=(const Board &) = delete;

    // Moves the stone and fills in move.captured; the caller keeps the same record
    // to undo it. Checks nothing.
    virtual void applyMove(Move &move);
    // Takes back a move that applyMove filled in; lastMove is not restored.
    virtual void undoMove(const Move &move);
    virtual void generateMovesFrom(int x, int y, MoveList &list) const = 0;
    virtual void generateMoves(int player, MoveList &list) const = 0;
    virtual int owner(int code) const = 0;
    virtual bool hasWon(int player) const = 0;
    virtual bool isDraw(int player) const;
    virtual void resetToInitial() = 0;
    virtual int evaluate(int player, int depth, int level) const = 0;
    virtual bool isLegal(const Move &move, int player) const = 0;

    // Reads a board file (see BoardFile). A file that cannot be read or is not a
    // board leaves the board untouched and returns false; *error is then a French
    // sentence that names the file, to be shown as it is.
    bool loadFromFile(const QString &path, QString *error = nullptr);
    // Writes the board file, replacing an existing one only by a complete new one
    // where the folder allows it. Returns false with a French sentence in *error.
    bool saveToFile(const QString &path, QString *error = nullptr) const;
    // All codes row by row, each followed by a space, without line breaks.
    QString toText() const;
    // The text of the board file: eight lines of eight codes, each followed by a space.
    QString fileText() const;

    const int columns;
    const int rows;
    std::vector<std::vector<int>> cells;
    Move lastMove;
};
