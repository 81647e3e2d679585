#pragma once

#include "MessageSplitter.h"
#include "SearchEngine.h"
#include "ZarvikBoard.h"

#include <QString>

#include <memory>

// The game as a remote player sees it: its own copy of the position, kept from the
// program's messages, and the computer's search to answer each request.
//
// Message 3 carries the board's last move. Normally that is the opponent's move,
// but after the opponent has passed (it had no legal move) it is this player's own
// previous move, already in the copy. The two are told apart by trying the move for
// the opponent: one's own last move starts from a square that it has just left, so
// it is never legal for the opponent. A move that is not legal for the opponent is
// therefore left out.
//
// When this side passes, the program sends nothing, so the opponent's moves made
// meanwhile never reach the copy; the next message 3 brings only the latest. With
// the usual stones a side passes only when it has none left, so it is never asked
// again; with small stones from a board file it may be, and the copy is then out of
// date. That is reported (warning()) when it shows, and play goes on.
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

    int side() const { return settings.color; }
    bool knowsSide() const { return sideKnown; }
    const ZarvikBoard &position() const { return board; }
    // The move to send after Step::play.
    const Move &move() const { return chosen; }
    // After Step::over: whether this player made the winning move.
    bool won() const { return ownWin; }
    // What the last message meant, when that is not obvious (an own move sent back).
    QString note() const { return remark; }
    // Set when the last message shows that the copy of the position is out of date.
    QString warning() const { return alarm; }
    QString error() const { return fault; }

private:
    Step setBoard(const MessageSplitter::Message &message, int side);
    Step opponentMoved(const MessageSplitter::Message &message);
    Step gameOver(const MessageSplitter::Message &message);
    Step play();
    Step fail(const QString &why);
    // Applies the move when it is a legal move of the opponent; false otherwise.
    bool applyOpponentMove(const Move &move);
    static Move readMove(const QByteArray &moveText);
    int opponent() const { return settings.color == ZarvikBoard::red ? ZarvikBoard::black : ZarvikBoard::red; }

    SearchSettings settings;
    bool sideKnown = false;
    ZarvikBoard board;
    std::unique_ptr<SearchEngine> search; // of the level asked for
    Move chosen;
    bool moved = false;
    bool ownWin = false;
    QString remark;
    QString alarm;
    QString fault;
};
