// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Move.h"
#include "MoveList.h"
#include "Side.h"

#include <QString>

#include <optional>
#include <vector>

// The position of a game: a grid of piece codes addressed cells[x][y], the last move
// applied, and the rule operations that a concrete game supplies.
//
// Piece codes: see Pieces.h. Board files and records hold only those.
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
    virtual void generateMoves(Side side, MoveList &list) const = 0;
    // The side whose stone the code is; none for an empty cell.
    virtual std::optional<Side> owner(int code) const = 0;
    virtual bool hasWon(Side side) const = 0;
    virtual bool isDraw(Side side) const;
    virtual void resetToInitial() = 0;
    virtual bool isLegal(const Move &move, Side side) const = 0;
    // Whether side has a legal move.
    bool canMove(Side side) const;
    // Whether side may play this move, or pass (passMove): nothing once a side has
    // won, and a pass only when side cannot move and the other side can.
    bool isLegalPly(const Move &move, Side side) const;

    // The ply of a side that had no legal move, its turn going to the other side.
    static inline const Move passMove = Move(-1, -1, -1, -1);

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
