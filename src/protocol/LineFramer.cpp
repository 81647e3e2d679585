// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineFramer.h"

#include <QIODevice>

#include <utility>

LineFramer::Piece LineFramer::read(QIODevice &device, QByteArray &line)
{
    char piece[maxLineBytes + 2];
    // Outside a dropped line read at most one byte past the limit: enough to tell
    // a line too long without ever holding more than that.
    const qint64 room = dropping ? qint64(sizeof piece) - 1 : maxLineBytes + 1 - pending.size();
    const qint64 size = device.readLine(piece, room + 1);
    if (size <= 0)
        return Piece::none;
    const bool endsLine = piece[size - 1] == '\n';
    if (dropping) {
        dropping = !endsLine;
        return Piece::partial;
    }
    pending.append(piece, int(size));
    if (pending.size() > maxLineBytes) {
        pending.clear();
        dropping = !endsLine;
        return Piece::tooLong;
    }
    if (!endsLine)
        return Piece::partial;
    line = std::exchange(pending, QByteArray());
    return Piece::line;
}

QByteArray LineFramer::takeFragment()
{
    return std::exchange(pending, QByteArray());
}

void LineFramer::clear()
{
    pending.clear();
    dropping = false;
}
