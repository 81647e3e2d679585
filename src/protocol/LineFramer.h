// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

class QIODevice;

// Cuts what a remote player sends into lines, one piece at a time, so that a line
// split over several reads, or several lines in one, each come out once and in
// order. It never holds more than the longest line allowed: a longer one is
// reported once, at its first byte past the limit, and the rest of it is dropped
// up to its line feed. Bytes after a complete line stay in the device until the
// next read, so that the caller can handle the line first.
class LineFramer
{
public:
    // Longest line accepted, its line feed included.
    static constexpr int maxLineBytes = 1022;
    // A fragment without line feed is taken as a whole line once no byte has
    // arrived for this long, for players that end their move without a line feed.
    static constexpr int fragmentWaitMs = 200;

    enum class Piece {
        none,    // nothing to read
        partial, // the start of a line, or more of a line being dropped
        line,    // a whole line, its line feed included
        tooLong, // a line past the limit, now being dropped
    };

    // Reads the next piece from device; after Piece::line, line holds it.
    Piece read(QIODevice &device, QByteArray &line);
    // Whether the start of a line has been read without its end.
    bool holdsFragment() const { return !pending.isEmpty(); }
    // The start of a line read so far, taken as a line of its own.
    QByteArray takeFragment();
    // Forgets the line under way: its sender is gone.
    void clear();

private:
    // Bytes of the line being received; never more than maxLineBytes.
    QByteArray pending;
    // Inside a line already reported too long.
    bool dropping = false;
};
