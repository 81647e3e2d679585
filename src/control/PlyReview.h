// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MoveComment.h"
#include "Side.h"

#include <QMetaType>
#include <QStringList>

// What a review found of one ply of a game. Chances are red's, in [0, 1], whoever
// moved: the curve of the game is redBefore of each ply and redAfter of the last.
struct PlyReview
{
    int ply = 0; // the index in the record's moves, 0 for the first
    Side mover = Side::Red;
    QString played; // "B2 - B3", or "--" for a pass
    double redBefore = 0.5;
    double redAfter = 0.5;
    // The mover's chance that the move gave away, in [0, 1]; 0 for a pass and for
    // the move level 4 itself prefers.
    double lost = 0;
    MoveLabel label = MoveLabel::None; // None for a pass
    // Level 4's move in the position before the ply ("C7 - C6"), empty for a pass,
    // and the line of play it expects from there, that move first.
    QString better;
    QStringList line;

    // The mover's chances before and after, in [0, 1].
    double moverBefore() const { return mover == Side::Red ? redBefore : 1 - redBefore; }
    double moverAfter() const { return mover == Side::Red ? redAfter : 1 - redAfter; }
    // The ply's comment in a record: the label, level 4's move when the label is
    // worse than Best, and the mover's chances in whole percent.
    MoveComment comment() const;
};

Q_DECLARE_METATYPE(PlyReview)
