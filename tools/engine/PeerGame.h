// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MessageSplitter.h"
#include "SearchEngine.h"
#include "ZarvikBoard.h"

#include <QString>

#include <memory>

// The game as a remote player sees it: its own copy of the position, kept from the
// program's messages, and the computer's search to answer each request.
//
// Message 3 carries the opponent's move, to apply and answer. After a pass (a side
// without a legal move) the program sends the side that moves again its board
// message once more, with the position as it stands: any board message but black's
// first one therefore asks for a move.
class PeerGame
{
public:
    enum class Step {
        wait,  // nothing to send; read on
        play,  // send move()
        over,    // the game has ended (message 5)
        refused, // the program refused our move (message 4)
        fault,   // the game cannot go on; error() says why
    };

    // settings.color is set from the board message; the rest is used for every search.
    explicit PeerGame(const SearchSettings &settings);

    Step take(const MessageSplitter::Message &message);

    Side side() const { return settings.color; }
    bool knowsSide() const { return sideKnown; }
    const ZarvikBoard &position() const { return board; }
    // The move to send after Step::play.
    const Move &move() const { return chosen; }
    // After Step::over: whether this player made the winning move.
    bool won() const { return ownWin; }
    // What the last message meant: the side a first board message gives, or a pass.
    QString note() const { return remark; }
    QString error() const { return fault; }

private:
    Step setBoard(const MessageSplitter::Message &message, Side side);
    Step opponentMoved(const MessageSplitter::Message &message);
    Step gameOver(const MessageSplitter::Message &message);
    Step play();
    Step fail(const QString &why);
    // Applies the move when it is a legal move of the opponent; false otherwise.
    bool applyOpponentMove(const Move &move);
    static Move readMove(const QByteArray &moveText);
    Side opponent() const { return ~side(); }

    SearchSettings settings;
    bool sideKnown = false;
    ZarvikBoard board;
    std::unique_ptr<SearchEngine> search; // of the level asked for
    Move chosen;
    bool ownWin = false;
    QString remark;
    QString fault;
};
