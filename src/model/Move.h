// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QString>

// One move of one stone: cells are (x, y), x the column from the left, y the row
// from the top. A plain value; equality looks at the four coordinates only.
struct Move
{
    int fromX = 0;
    int fromY = 0;
    int toX = 0;
    int toY = 0;
    // Code that stood on the destination before the move; filled in by Board::applyMove.
    int captured = 0;

    Move() = default;
    Move(int fromX, int fromY, int toX, int toY);

    bool operator==(const Move &other) const;
    bool operator!=(const Move &other) const { return !(*this == other); }

    // "B2 - B3": origin letter and row number, " - ", destination letter and row number.
    QString toText(int columns, int rows) const;

    // Reads a NUL-terminated move text such as "B2 - B3", "b2b3" is refused, "B2B3\n"
    // and " B02--B03" are accepted. Sets the four coordinates; toX = toY = -1 when the
    // text names only an origin. False when malformed or off the board.
    bool parse(const char *text, int columns, int rows);
};

Q_DECLARE_METATYPE(Move)
