// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Board.h"
#include "Move.h"
#include "Side.h"

#include <QString>

#include <utility>
#include <vector>

// One whole game as the records files hold it (docs/records.md): named tags in the
// order they were read or set, and the moves, passes included. Result, Termination
// and Start are tags like the others, so that their place in the file survives a
// round trip; the helpers below read and write them.
class GameRecord
{
public:
    using Tag = std::pair<QString, QString>;

    static inline const QString redWins = QStringLiteral("1-0");
    static inline const QString blackWins = QStringLiteral("0-1");
    static inline const QString draw = QStringLiteral("1/2-1/2");
    static inline const QString unfinished = QStringLiteral("*");

    // Termination values the program writes; readers accept any text.
    static inline const QString byGoalRow = QStringLiteral("goal row");
    static inline const QString byTimeOut = QStringLiteral("time-out");
    static inline const QString byIllegalMove = QStringLiteral("illegal move");
    static inline const QString byDisconnection = QStringLiteral("disconnection");
    static inline const QString byCrash = QStringLiteral("crash");
    // A match's program that did not connect in time.
    static inline const QString byNoConnection = QStringLiteral("never connected");
    // The person of a network game stopped it or closed the window.
    static inline const QString byAbandon = QStringLiteral("abandoned");
    static inline const QString byResignation = QStringLiteral("resignation");
    static inline const QString byNoMoves = QStringLiteral("draw");
    static inline const QString byNothingYet = QStringLiteral("unfinished");

    // The side to move had no legal move and its turn went to the other side.
    static inline const Move pass = Board::passMove;

    // Event, Site, Date, Round, Red and Black unknown ("?", "????.??.??"), no moves,
    // unfinished, from the initial position with red to move.
    static GameRecord fromInitialPosition();

    // The value of the tag, empty when absent.
    QString tag(const QString &name) const;
    // Replaces the value in place, or appends the tag. A value is one line: line
    // breaks and other control characters become spaces.
    void setTag(const QString &name, const QString &value);
    const std::vector<Tag> &tags() const { return tagList; }

    QString result() const { return tag(QStringLiteral("Result")); }
    // Sets the Result tag; one of the four result constants.
    void setResult(const QString &result) { setTag(QStringLiteral("Result"), result); }

    // Puts the start position on the board and gives the side to move; without a
    // Start tag the initial position with red to move. False when the tag is malformed.
    bool start(Board &board, Side &side) const;
    void setStart(const Board &board, Side side);

    // Plays the moves from the start, each checked for the side to move; a pass is
    // legal only when that side has no move and the other has one. True when all are
    // legal; otherwise false with the 1-based number of the first illegal move in
    // *illegal (0 for a malformed Start tag), the board at the position before it.
    bool replay(Board &board, int *illegal = nullptr) const;

    // The comment that follows the move of ply (0 for the first move), empty when
    // none. A comment is one line of text: setComment turns control characters into
    // spaces and braces into parentheses, and drops the spaces at both ends.
    QString comment(int ply) const;
    void setComment(int ply, const QString &text);
    void clearComments() { commentList.clear(); }
    // Drops the comments of the plies from this one on (moves taken back and replaced).
    void dropCommentsFrom(int ply);

    // The game's text: tags, a blank line, the numbered moves, each with its comment
    // in braces if it has one, wrapped at 80 columns and the result, then the blank
    // line that follows every game. A records file is these texts one after the other.
    QString toText() const;

    bool operator==(const GameRecord &other) const;
    bool operator!=(const GameRecord &other) const { return !(*this == other); }

    std::vector<Move> moves;

private:
    std::vector<Tag> tagList;
    std::vector<QString> commentList; // by ply; may be shorter than the moves
};
