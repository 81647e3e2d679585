// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Protocol.h"

#include <QByteArray>
#include <QString>

// Cuts the byte stream that the program sends to a remote player into its
// messages. They carry no terminator and may arrive joined or split at any byte,
// so each is recognised by its code digit and its own shape:
//   "1 " or "2 " and 64 numbers, each followed by a space (codes read from a board
//   file may have several digits or a sign);
//   "3 " or "5 " and a move text of 7 bytes, such as "B2 - B3";
//   "4" alone;
//   "x " and words up to a line feed: the extension between two Zarvik windows.
class MessageSplitter
{
public:
    struct Message
    {
        Protocol::Code code = Protocol::Code::Refusal;
        QByteArray bytes; // the message exactly as received
        QByteArray text;  // codes 1 and 2: the board's text; 3 and 5: "B2 - B3"; x: the words
    };

    void append(const QByteArray &bytes);
    // Takes the next complete message off the stream; false while it has not fully
    // arrived, or once the stream has proved unreadable (see broken()).
    bool next(Message &message);

    bool broken() const { return !fault.isEmpty(); }
    // Why the stream cannot be read, quoting the bytes at fault.
    QString error() const { return fault; }
    // Bytes of a message that has begun but not fully arrived.
    int pendingBytes() const { return pending.size(); }

private:
    enum class Scan { complete, incomplete, broken };

    Scan scan(int &length);
    Scan scanBoard(int &length);
    Scan scanMove(int &length);
    Scan scanExtension(int &length);
    Scan fail(const QString &why, int upTo);

    QByteArray pending;
    QString fault;
};
