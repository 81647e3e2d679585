// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BoardFile.h"

#include <QString>

// The board as one line: every code row by row from the top, each followed by a
// space ("2 2 2 ... 4 4 "). Board messages 1 and 2 and the records' Start tag carry
// it; unlike a board file it may hold any integer a remote program sends.
class BoardText
{
public:
    // The text of cells (cells[x][y]).
    static QString write(const BoardFile::Grid &cells);
    // Fills cells, keeping their size, from a text of exactly that many integers,
    // each an optional minus sign and digits followed by one space. False, with
    // cells untouched, for anything else.
    static bool read(const QString &text, BoardFile::Grid &cells);
};
