// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// How a review judges a move by the chance to win it lost, from the least to the
// worst; None for a pass or a move not reviewed.
enum class MoveLabel { None, Best, Inaccuracy, Mistake, Blunder };

// What a review says of one move, as a record keeps it in the move's comment
// (docs/records.md): "?? mieux : C7 - C6 ; 38 % → 12 %" is a blunder that took the
// mover's chance from 38 % to 12 % where C7 - C6 was the move to play.
struct MoveComment
{
    MoveLabel label = MoveLabel::Best;
    // The move level 4 prefers ("C7 - C6") to a labelled one, else empty.
    QString better;
    // The mover's chance to win before and after the move, in whole percent.
    int chanceBefore = 0;
    int chanceAfter = 0;

    QString toText() const;
    // The review that a comment written by toText() holds; nothing for any other text.
    static std::optional<MoveComment> parse(const QString &text);
    // The label a ply's comment holds; None when it holds no review.
    static MoveLabel labelOf(const QString &comment);
    // "?!", "?", "??"; empty for Best and None.
    static QString symbol(MoveLabel label);

    bool operator==(const MoveComment &other) const;
};
