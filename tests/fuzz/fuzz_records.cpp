// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameRecordReader.h"
#include "ZarvikBoard.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// Any records file a user may open: reading must not misbehave; when it reads, the
// games written out read back the same, and replaying them is safe whatever they hold.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QBuffer input(&bytes);
    input.open(QIODevice::ReadOnly);
    std::vector<GameRecord> records, again;
    if (!GameRecordReader::readAll(input, records))
        return 0;
    QByteArray text;
    for (const GameRecord &record : records) {
        ZarvikBoard board;
        record.replay(board);
        text += record.toText().toUtf8();
    }
    QBuffer output(&text);
    output.open(QIODevice::ReadOnly);
    if (!GameRecordReader::readAll(output, again) || again != records)
        std::abort();
    return 0;
}
