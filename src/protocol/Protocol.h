// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Move.h"
#include "Side.h"

#include <QByteArray>
#include <QtGlobal>

class Board;

// What the program and a remote player say to each other over TCP (see
// docs/protocol.md): the program's messages, each a code digit and what follows it
// without terminator, and the player's answers, one move a line.
namespace Protocol {

// Where the program listens and a remote player connects unless told otherwise.
constexpr quint16 defaultPort = 8888;

enum class Code : char {
    RedBoard = '1',     // the position, to red: asks red's move
    BlackBoard = '2',   // the position, to black: asks a move only after red passed
    OpponentMove = '3', // the opponent's move, which asks this side's
    Refusal = '4',      // the last line was no legal move of this side now
    FinalMove = '5',    // the winning move of either side: the game is over
    Extension = 'x',    // a line between two Zarvik windows, only after both said hello
};

// Longest board message and move message sent; the 8 x 8 board needs 130 and 9 bytes.
constexpr int boardMessageMax = 1023;
constexpr int moveMessageMax = 127;
// Longest extension line, its line feed included.
constexpr int extensionLineMax = 255;
// The codes a board message holds and the bytes of a move text such as "B2 - B3".
constexpr int cellCount = 64;
constexpr int moveTextBytes = 7;

// The board message that tells side the position.
Code boardCode(Side side);
// Message 1 or 2, with the board's text.
QByteArray boardMessage(Side side, const Board &board);
// Message 3 or 5.
QByteArray moveMessage(Code code, const Move &move);
// Message 4.
QByteArray refusal();
// A remote player's answer: the move text and a line feed.
QByteArray moveLine(const Move &move);
// "B2 - B3".
QByteArray moveText(const Move &move);

} // namespace Protocol
