// SPDX-License-Identifier: GPL-3.0-or-later
#include "Protocol.h"

#include "ZarvikBoard.h"

namespace Protocol {

namespace {

QByteArray message(Code code, const QByteArray &body, int maxLength)
{
    return (QByteArray(1, char(code)) + ' ' + body).left(maxLength);
}

} // namespace

Code boardCode(Side side)
{
    return side == Side::Red ? Code::RedBoard : Code::BlackBoard;
}

QByteArray boardMessage(Side side, const Board &board)
{
    return message(boardCode(side), board.toText().toLatin1(), boardMessageMax);
}

QByteArray moveMessage(Code code, const Move &move)
{
    return message(code, moveText(move), moveMessageMax);
}

QByteArray refusal()
{
    return QByteArray(1, char(Code::Refusal));
}

QByteArray moveLine(const Move &move)
{
    return moveText(move) + '\n';
}

QByteArray moveText(const Move &move)
{
    return move.toText(ZarvikBoard::size, ZarvikBoard::size).toLatin1();
}

} // namespace Protocol
