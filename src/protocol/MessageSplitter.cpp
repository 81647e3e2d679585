// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageSplitter.h"

#include <limits>

namespace {

bool isCell(char letter, char digit)
{
    return letter >= 'A' && letter <= 'H' && digit >= '1' && digit <= '8';
}

// The bytes around a fault, readable in a message.
QString quoted(const QByteArray &bytes)
{
    constexpr int shown = 40;
    QString text = QString::fromLatin1(bytes.left(shown).toPercentEncoding(" -"));
    return QLatin1Char('"') + text + (bytes.size() > shown ? QStringLiteral("...\"") : QStringLiteral("\""));
}

} // namespace

void MessageSplitter::append(const QByteArray &bytes)
{
    pending += bytes;
}

bool MessageSplitter::next(Message &message)
{
    if (broken() || pending.isEmpty())
        return false;
    int length = 0;
    if (scan(length) != Scan::complete)
        return false;
    message.code = Protocol::Code(pending.at(0));
    message.bytes = pending.left(length);
    message.text = length > 2 ? pending.mid(2, length - 2) : QByteArray();
    pending.remove(0, length);
    return true;
}

MessageSplitter::Scan MessageSplitter::scan(int &length)
{
    using Code = Protocol::Code;
    const Code code = Code(pending.at(0));
    if (code == Code::Refusal) {
        length = 1;
        return Scan::complete;
    }
    if (code == Code::Extension)
        return scanExtension(length);
    if (pending[0] < char(Code::RedBoard) || pending[0] > char(Code::FinalMove))
        return fail(QStringLiteral("unknown message code"), 1);
    if (pending.size() < 2)
        return Scan::incomplete;
    if (pending[1] != ' ')
        return fail(QStringLiteral("no space after the message code"), 2);
    return code == Code::RedBoard || code == Code::BlackBoard ? scanBoard(length) : scanMove(length);
}

// 64 numbers, each an optional minus sign, digits, and a space.
MessageSplitter::Scan MessageSplitter::scanBoard(int &length)
{
    int at = 2;
    for (int cells = 0; cells < Protocol::cellCount; ++cells) {
        const int start = at;
        if (at < pending.size() && pending[at] == '-')
            ++at;
        qint64 value = 0;
        for (; at < pending.size() && pending[at] >= '0' && pending[at] <= '9'; ++at) {
            value = value * 10 + (pending[at] - '0');
            if (value > qint64(std::numeric_limits<int>::max()) + 1)
                return fail(QStringLiteral("a board code too large"), at + 1);
        }
        if (at == pending.size())
            return Scan::incomplete;
        const bool negative = pending[start] == '-';
        if (pending[at] != ' ' || at == start + (negative ? 1 : 0))
            return fail(QStringLiteral("a board code that is not a number followed by a space"), at + 1);
        if (!negative && value > std::numeric_limits<int>::max())
            return fail(QStringLiteral("a board code too large"), at + 1);
        ++at;
    }
    length = at;
    return Scan::complete;
}

MessageSplitter::Scan MessageSplitter::scanMove(int &length)
{
    length = 2 + Protocol::moveTextBytes;
    if (pending.size() < length)
        return Scan::incomplete;
    const QByteArray text = pending.mid(2, Protocol::moveTextBytes);
    if (!isCell(text[0], text[1]) || text.mid(2, 3) != " - " || !isCell(text[5], text[6]))
        return fail(QStringLiteral("a move that is not written like \"B2 - B3\""), length);
    return Scan::complete;
}

MessageSplitter::Scan MessageSplitter::scanExtension(int &length)
{
    const int end = pending.indexOf('\n');
    if (end >= Protocol::extensionLineMax || (end < 0 && pending.size() >= Protocol::extensionLineMax))
        return fail(QStringLiteral("an extension line too long"), Protocol::extensionLineMax);
    if (end < 0)
        return Scan::incomplete;
    length = end + 1;
    return Scan::complete;
}

MessageSplitter::Scan MessageSplitter::fail(const QString &why, int upTo)
{
    fault = QStringLiteral("unreadable message from the program (%1): %2").arg(why, quoted(pending.left(upTo)));
    return Scan::broken;
}
