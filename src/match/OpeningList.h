// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Side.h"

#include <QString>

#include <vector>

// The start positions of a match: board files (*.brd), a directory of them, or a
// text file of positions one per line in the records' Start form ("<64 codes> r|b";
// blank lines and lines starting with # are skipped). Each becomes a board file,
// since the controller starts custom games from files; a position given as text is
// written into a directory of the caller's.
class OpeningList
{
public:
    struct Opening
    {
        QString boardFile;
        Side firstSide = Side::Red;
    };

    // False with the reason in *error; the text positions are written to scratchDir.
    bool load(const QString &path, const QString &scratchDir, QString *error);
    const std::vector<Opening> &openings() const { return list; }

private:
    bool addBoardFile(const QString &path, QString *error);
    bool readTextFile(const QString &path, const QString &scratchDir, QString *error);

    std::vector<Opening> list;
};
