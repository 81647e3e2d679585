// SPDX-License-Identifier: GPL-3.0-or-later
#include "Move.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// Any bytes a peer may send: parse must not misbehave, an accepted move names cells
// on the board, and a move with a destination reads back the same from its own text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    Move move;
    if (!move.parse(text.c_str(), 8, 8))
        return 0;
    if (move.fromX < 0 || move.fromX > 7 || move.fromY < 0 || move.fromY > 7)
        std::abort();
    if (move.toX == -1 && move.toY == -1)
        return 0;
    if (move.toX < 0 || move.toX > 7 || move.toY < 0 || move.toY > 7)
        std::abort();
    Move again;
    if (!again.parse(move.toText(8, 8).toLatin1().constData(), 8, 8) || !(again == move))
        std::abort();
    return 0;
}
