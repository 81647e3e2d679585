// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HostConnection.h"
#include "Player.h"
#include "ZarvikBoard.h"

#include <deque>
#include <optional>



// The opponent in a joined game: the hosting program, and whoever plays there. The
// person's moves at this window go to the host when it asks for them; the host's
// answers come out as this seat's moves. A pass is not sent over the wire: when the
// host shows its board again, or its winning move, the moves it made while this
// side passed are found from them.
class HostPlayer : public Player
{
    Q_OBJECT

public:
    // The connection is not owned; the side is the host's.
    HostPlayer(Side side, HostConnection *connection, QObject *parent = nullptr);

    void play(const Turn &turn) override;
    // The game is over here: nothing more is played; the person's moves still go out.
    void stop() override;
    void opponentMoved(const Move &move) override;
    void gameEnded(const GameResult &result, int plies) override;
    // With the extension the host decides the resignation, and tells its end.
    bool passOnResignation() override;

private:
    void sendWhenAsked();
    void onHostMoved(const Move &move);
    void onBoard(const ZarvikBoard &position);
    void onGameOver(const Move &move, bool won);
    void onFailed(HostConnection::Problem problem);
    void catchUp();
    std::optional<Move> stepToWin() const;
    std::optional<Move> stepToBoard() const;
    void answer(const Move &move);

    HostConnection *connection;
    ZarvikBoard position;   // where this side was last asked to move
    ZarvikBoard shown;      // the host's board while it is ahead of position
    bool boardAhead = false;
    std::optional<Move> finalMove; // the host's winning move, once it has come
    bool asked = false;
    bool stopped = false;
    // The person's moves, each until the host asks for it: after a pass of the host's
    // side the person may move again before the host's board comes.
    std::deque<Move> unsent;
};
