#pragma once

#include "Move.h"
#include "MoveList.h"

#include <QString>

class QIODevice;
#include <vector>

// The position of a game: a grid of piece codes addressed cells[x][y], the last move
// applied, and the rule operations that a concrete game supplies.
//
// Player numbers: 0 red, 1 black, 2 nobody. Piece codes: 0 empty, 1 small black
// stone, 2 black stone, 3 small red stone, 4 red stone; a board file may bring any
// other integer, which is stored unchanged.
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

    // Reads a board file: eight lines of eight codes. A file that opens but is
    // malformed still loads (missing cells are empty); a file that cannot be opened
    // leaves the board untouched and returns false with the reason in *error.
    bool loadFromFile(const QString &path, QString *error = nullptr);
    // Reads board file text from an open device, with the same tolerance.
    void loadFrom(QIODevice &device);
    // Writes the board file atomically: an existing file is replaced only by a
    // complete new one. Returns false with the reason in *error.
    bool saveToFile(const QString &path, QString *error = nullptr) const;
    // All codes row by row, each followed by a space, without line breaks.
    QString toText() const;
    // The text of the board file: eight lines of eight codes, each followed by a space.
    QString fileText() const;

    const int columns;
    const int rows;
    std::vector<std::vector<int>> cells;
    Move lastMove;

private:
    void fillRow(int y, const QString &line);
};
