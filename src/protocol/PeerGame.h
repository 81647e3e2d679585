// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MessageSplitter.h"
#include "Side.h"
#include "ZarvikBoard.h"

#include <QString>

// The game as a remote player sees it: its own copy of the position, kept from the
// program's messages, and when a move is asked of it. Who chooses the move (a
// search, a person) is the caller's business: it answers each request.
//
// Message 3 carries the opponent's move, to apply and answer. After a pass (a side
// without a legal move) the program sends the side that moves again its board
// message once more, with the position as it stands: any board message but black's
// first one therefore asks for a move.
class PeerGame
{
public:
    enum class Step {
        wait,    // nothing to send; read on
        asked,   // a move of side() on position() is asked: answer() it
        over,    // the game has ended (message 5)
        refused, // the program refused our move (message 4)
        fault,   // the game cannot go on; error() says why
    };

    Step take(const MessageSplitter::Message &message);
    // Plays move, after Step::asked, when it is legal there; false otherwise.
    bool answer(const Move &move);

    Side side() const { return ownSide; }
    bool knowsSide() const { return sideKnown; }
    const ZarvikBoard &position() const { return board; }
    // Our last move.
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
    Step ask();
    Step fail(const QString &why);
    // Applies the move when it is a legal move of that side; false otherwise.
    bool apply(const Move &move, Side side);
    static Move readMove(const QByteArray &moveText);

    Side ownSide = Side::Red;
    bool sideKnown = false;
    ZarvikBoard board;
    Move chosen;
    bool ownWin = false;
    QString remark;
    QString fault;
};
