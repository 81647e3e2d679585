// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardFile.h"
#include "ZarvikBoard.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any file a user may choose: a refused one leaves the grid as it was, with a
// reason; an accepted one holds only codes 0 to 4, and the board file written for
// it reads back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const BoardFile::Grid before(BoardFile::size, std::vector<int>(BoardFile::size, -1));
    ZarvikBoard board;
    board.cells = before;
    QString error;
    if (!BoardFile::parse(bytes, board.cells, &error)) {
        if (board.cells != before || error.isEmpty())
            std::abort();
        return 0;
    }
    for (const auto &column : board.cells)
        for (int code : column)
            if (code < Piece::empty || code > Piece::highest)
                std::abort();
    BoardFile::Grid again;
    if (!BoardFile::parse(board.fileText().toLatin1(), again, &error) || again != board.cells)
        std::abort();
    return 0;
}
