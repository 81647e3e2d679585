// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameRecord.h"
#include "Player.h"
#include "Side.h"

#include <QString>

#include <optional>
#include <vector>

// How a side is played: Host is the program whose game this window joined.
enum class PlayerKind { Cpu, Human, Socket, Host };

// How one side is played, as the options panel (or a headless host) chooses it.
struct SeatOptions
{
    PlayerKind kind = PlayerKind::Human;
    bool timer = true;
    int seconds = 5; // per move, 0 to Player::maxSeconds; read only when timer is on
    int level = 1;
    int threads = 0; // the computer's search threads; 0: every core

    // The limit handed to the side's player: a side without timer gets
    // Player::untimed, which the computer turns into its own ceiling.
    int timeLimit() const { return timer ? seconds : Player::untimed; }
};

// Everything a new game is started with.
struct GameOptions
{
    SeatOptions red;
    SeatOptions black;
    // Start on the board file (read again from disk) instead of the initial position;
    // without a file the initial position is used.
    bool customBoard = false;
    QString boardFile;
    // When not empty, the game starts here: a records file's Start value (the board's
    // codes and the side to move); it takes precedence over the board choice.
    QString position;
    // The side that moves first; the window always starts with red.
    Side firstSide = Side::Red;
    // Seeds the computer's draws between equal moves, its searches taking seed,
    // seed + 1, ... in turn; negative: a new seed from the clock at every search.
    qint64 seed = -1;
    // Tags the record takes as the game starts, after who plays each side (a
    // match's event, round and players' names), in this order.
    std::vector<GameRecord::Tag> tags;

    const SeatOptions &seat(Side side) const { return side == Side::Red ? red : black; }
    // Whether a side plays over the network: a remote program, or the host of a joined game.
    bool hasRemoteSide() const
    {
        for (PlayerKind kind : {red.kind, black.kind})
            if (kind == PlayerKind::Socket || kind == PlayerKind::Host)
                return true;
        return false;
    }
    // Whether the game is one this window joined: the host plays a side.
    bool joined() const { return red.kind == PlayerKind::Host || black.kind == PlayerKind::Host; }
    // The side of the person here when the other side plays over the network.
    std::optional<Side> personAgainstNetwork() const
    {
        for (Side side : bothSides) {
            const PlayerKind other = seat(~side).kind;
            if (seat(side).kind == PlayerKind::Human && (other == PlayerKind::Socket || other == PlayerKind::Host))
                return side;
        }
        return std::nullopt;
    }
};
