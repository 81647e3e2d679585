// SPDX-License-Identifier: GPL-3.0-or-later
#include "PlyReview.h"

#include <QtMath>

MoveComment PlyReview::comment() const
{
    constexpr double percent = 100;
    MoveComment comment;
    comment.label = label;
    comment.better = label > MoveLabel::Best ? better : QString();
    comment.chanceBefore = qRound(moverBefore() * percent);
    comment.chanceAfter = qRound(moverAfter() * percent);
    return comment;
}
