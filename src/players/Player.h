// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Board.h"
#include "Extension.h"
#include "GameResult.h"
#include "Side.h"

#include <QObject>

// One seat of a game: the host asks it to play from a position and it answers with
// moved(), once per request. What else can happen to a seat (its program left or
// ran out of time, it refused a line, its search deepened) has a signal here too,
// so that the host never needs to know which kind of seat it talks to.
class Player : public QObject
{
    Q_OBJECT

public:
    // Seconds per move of a side whose timer is off; a remote program then has all
    // that time, the computer its own ceiling.
    static constexpr int untimed = 100000;
    // The longest time per move the options take.
    static constexpr int maxSeconds = 999;

    // What a seat is told when its turn comes.
    struct Turn
    {
        // The position to play from; only valid during play(): a seat copies what
        // it keeps.
        const Board &position;
        // The opponent's last move; GameRecord::pass when it passed or none was played.
        Move lastMove;
        // Whether the seat has seen the position before lastMove, so that lastMove
        // alone tells it the position (a remote program is then sent only the move).
        bool sawPrevious = false;
    };

    using Failure = GameResult::Failure;

    explicit Player(Side side, QObject *parent = nullptr);

    Side side() const { return seatSide; }

    // The turn has come: moved() follows, unless stop() comes first.
    virtual void play(const Turn &turn) = 0;
    // Stops thinking and the clock; no moved() follows for the request in course.
    virtual void stop() {}
    // Answer now with the best move found so far (the computer); others ignore it.
    virtual void playNow() {}
    // A move entered by the person at the board; only a person's seat takes it.
    virtual void enter(const Move &move) { Q_UNUSED(move) }
    // The opponent has played this move (not a pass), whether this seat is asked next or not.
    virtual void opponentMoved(const Move &move) { Q_UNUSED(move) }
    // The game was won by this move, of either side.
    virtual void gameWon(const Move &move) { Q_UNUSED(move) }
    // The game ended so, after that many plies: a Zarvik window at the other end is told.
    virtual void gameEnded(const GameResult &result, int plies) { Q_UNUSED(result) Q_UNUSED(plies) }
    // The person at this window resigns. A seat whose other end decides the game's
    // end (the host of a joined game) passes it on and returns true; the end then
    // comes as concluded().
    virtual bool passOnResignation() { return false; }
    // Whether the seat is searching for a move now.
    virtual bool isThinking() const { return false; }

signals:
    // The seat's answer: a move, or GameRecord::pass.
    void moved(const Move &move);
    void failed(GameResult::Failure how);
    // A line of a remote program was refused ("4").
    void lineRefused();
    // The search completed a depth, with its best score from this side.
    void depthReached(int depth, int score);
    // The other end decided how the game ended (the host of a joined game), or its
    // person resigned or left it; plies: those it counts, -1 for the game as played here.
    void concluded(const GameResult &result, int plies);
    // The other end keeps the time, with these limits per move.
    void limitsTold(const Extension::Limits &limits);

private:
    const Side seatSide;
};
