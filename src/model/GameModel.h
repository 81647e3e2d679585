// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameRecord.h"
#include "Side.h"
#include "ZarvikBoard.h"

#include <QObject>

#include <vector>

// The one record of a game: its start position and side to move, every ply played
// (passes included), the ply shown (the cursor), its tags, result and how it ended.
// The game (src/control) alone plays into it and ends it; the board, the move list,
// the turn indicator and the status read it; undo, redo and replay move its cursor;
// records files and the match runner take their record from it. changed() follows
// every change.
class GameModel : public QObject
{
    Q_OBJECT

public:
    // One turn: a move, or GameRecord::pass when the side could not move.
    struct Ply
    {
        Move move;
        Side side = Side::Red;
        bool isPass() const { return move == GameRecord::pass; }
    };

    explicit GameModel(QObject *parent = nullptr);

    // A new game from this position with side to move: the tags of a new record, no
    // ply, unfinished.
    void reset(const Board &start, Side toMove);
    // Takes a recorded game, cursor at its end. False, with the 1-based number of its
    // first illegal move in *illegal (0: its start), when it cannot be replayed; the
    // model is then unchanged.
    bool load(const GameRecord &game, int *illegal = nullptr);
    // The whole game, every ply whatever the cursor.
    GameRecord record() const;

    // The position shown, after cursor() plies; its lastMove is the last of them.
    const ZarvikBoard &position() const { return shown; }
    Side sideToMove() const { return shownSide; }
    const std::vector<Ply> &plies() const { return played; }
    int cursor() const { return shownPlies; }
    bool atEnd() const { return shownPlies == int(played.size()); }
    // Shows the position after that many plies (clamped to the game).
    void setCursor(int plies);

    // Plays a move (or GameRecord::pass) of the side to move at the cursor. When it is
    // the next ply already recorded the rest of the game is kept (a redo); otherwise
    // the plies after the cursor go. False, and nothing changes, when it is illegal.
    bool play(const Move &move);
    // Drops the plies after the cursor and makes the game unfinished again.
    void truncate();

    // The comment of a ply (a review's label and better move), empty when none.
    QString comment(int ply) const { return header.comment(ply); }
    void setComment(int ply, const QString &text);

    QString tag(const QString &name) const { return header.tag(name); }
    void setTag(const QString &name, const QString &value);
    QString result() const { return header.result(); }
    QString termination() const { return header.tag(terminationTag); }
    bool isFinished() const { return result() != GameRecord::unfinished; }
    // One of GameRecord's results, and one of its Termination words.
    void setResult(const QString &result, const QString &termination);

    static inline const QString terminationTag = QStringLiteral("Termination");

signals:
    void changed();

private:
    void showPlies(int plies);

    GameRecord header; // tags (Start, Result and Termination among them); no moves
    ZarvikBoard start;
    Side startSide = Side::Red;
    std::vector<Ply> played;
    ZarvikBoard shown;
    Side shownSide = Side::Red;
    int shownPlies = 0;
};
