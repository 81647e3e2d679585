#include "ZarvikBoard.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any file a user may choose: loading must not misbehave, and the board file
// written for the loaded position loads back to the same position.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer input(&bytes);
    input.open(QIODevice::ReadOnly | QIODevice::Text);
    ZarvikBoard board;
    board.loadFrom(input);

    QByteArray written = board.fileText().toLatin1();
    QBuffer output(&written);
    output.open(QIODevice::ReadOnly | QIODevice::Text);
    ZarvikBoard again;
    again.loadFrom(output);
    if (again.cells != board.cells)
        std::abort();
    return 0;
}
