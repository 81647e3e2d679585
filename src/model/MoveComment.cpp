// SPDX-License-Identifier: GPL-3.0-or-later
#include "MoveComment.h"

#include <QRegularExpression>

namespace {
constexpr int percent = 100;
const QString betterWord = QStringLiteral("mieux : ");
} // namespace

QString MoveComment::symbol(MoveLabel label)
{
    switch (label) {
    case MoveLabel::Inaccuracy:
        return QStringLiteral("?!");
    case MoveLabel::Mistake:
        return QStringLiteral("?");
    case MoveLabel::Blunder:
        return QStringLiteral("??");
    case MoveLabel::Best:
    case MoveLabel::None:
        break;
    }
    return QString();
}

QString MoveComment::toText() const
{
    QString text = symbol(label);
    if (!text.isEmpty())
        text += QLatin1Char(' ');
    if (!better.isEmpty())
        text += betterWord + better + QLatin1String(" ; ");
    return text + QStringLiteral("%1 % → %2 %").arg(chanceBefore).arg(chanceAfter);
}

MoveLabel MoveComment::labelOf(const QString &comment)
{
    const std::optional<MoveComment> review = parse(comment);
    return review ? review->label : MoveLabel::None;
}

std::optional<MoveComment> MoveComment::parse(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(?:(\\?\\?|\\?!|\\?) )?(?:mieux : ([A-H][1-8] - [A-H][1-8]) ; )?(\\d{1,3}) % → (\\d{1,3}) %$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    MoveComment comment;
    const QString mark = match.captured(1);
    for (MoveLabel label : {MoveLabel::Inaccuracy, MoveLabel::Mistake, MoveLabel::Blunder})
        if (mark == symbol(label))
            comment.label = label;
    comment.better = match.captured(2);
    comment.chanceBefore = match.captured(3).toInt();
    comment.chanceAfter = match.captured(4).toInt();
    if (comment.chanceBefore > percent || comment.chanceAfter > percent)
        return std::nullopt;
    return comment;
}

bool MoveComment::operator==(const MoveComment &other) const
{
    return label == other.label && better == other.better && chanceBefore == other.chanceBefore
           && chanceAfter == other.chanceAfter;
}
