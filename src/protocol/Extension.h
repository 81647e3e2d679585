// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameResult.h"

#include <QByteArray>
#include <optional>

// What two Zarvik windows say to each other besides the protocol of remote programs
// (docs/protocol.md, "Between two Zarvik windows"): lines of words after "x ", each
// ending in a line feed, in either direction. The joining window asks with hello and
// the host answers hello; neither sends any other such line to a peer that did not.
namespace Extension {

// The limits, in whole seconds per move, of the sides that have one.
struct Limits
{
    std::optional<int> red;
    std::optional<int> black;
};

// What one line says.
struct Line
{
    enum class Kind { Hello, Limits, Resign, Bye, End, Unknown };
    Kind kind = Kind::Unknown;
    Limits limits;        // Limits
    GameResult result;    // End
    int plies = 0;        // End: the plies of the game the host recorded
};

// "x hello 1\n": asks for the extension (joining window) or accepts it (host).
QByteArray hello();
// "x limits 30 -\n": red's and black's seconds per move, "-" for none (host).
QByteArray limits(const Limits &limits);
// "x resign\n": the joining window's person gives the game up.
QByteArray resign();
// "x bye\n": the joining window's person stops the game or closes the window.
QByteArray bye();
// "x end 0-1 red 12 time-out\n": the result, the side that lost or failed ("-":
// none), the plies played and the Termination (host).
QByteArray end(const GameResult &result, int plies);
// Whether a line (line feed and carriage return allowed at its end) is one of ours.
bool isExtension(const QByteArray &line);
Line parse(const QByteArray &line);

} // namespace Extension
