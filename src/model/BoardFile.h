// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <vector>

// The board file: eight rows from the top, each of eight piece codes 0 to 4 (see
// Board). The program writes each code followed by a space, one row a line, in
// Latin-1; it also reads CR LF line ends, any run of spaces or tabs between codes,
// a row of eight digits written without spaces ("22222222") and blank lines at the
// end. Anything else is refused with the first bad line named.
class BoardFile
{
    Q_DECLARE_TR_FUNCTIONS(BoardFile)

public:
    using Grid = std::vector<std::vector<int>>; // codes as grid[x][y], y = 0 the top row

    static constexpr int size = 8;
    static constexpr int maxBytes = 4096; // a board written by hand stays far below

    // Fills out (8 x 8) from the bytes of a board file and returns true, or leaves out
    // as it was and returns false with what is wrong in *error ("ligne 3 : 9 codes au
    // lieu de 8").
    static bool parse(const QByteArray &bytes, Grid &out, QString *error);
    // Reads and parses the file at path, never more than maxBytes + 1 of it. On failure
    // out is unchanged and *error is a French sentence that names the file.
    static bool read(const QString &path, Grid &out, QString *error);
    // Replaces the file at path by bytes: through a temporary file where the folder
    // allows one, else in place. On failure *error is a French sentence that names
    // the file.
    static bool write(const QString &path, const QByteArray &bytes, QString *error);
    // The path with ".brd" added when its file name has no suffix: a name typed
    // without one in the save dialog.
    static QString withExtension(const QString &path);
};
