// SPDX-License-Identifier: GPL-3.0-or-later
#include "Move.h"

namespace {

// Skips the bytes for which skippable() holds: skip(" -B3", isGap) -> "B3".
template <typename Pred>
const char *skip(const char *p, Pred skippable)
{
    while (*p != '\0' && skippable(*p))
        ++p;
    return p;
}

// Reads a letter and the decimal digits after it: "C12x" -> x 2, n 12, returns at "x".
// The number saturates, so a peer sending a thousand digits cannot overflow it; any
// saturated value is far off the board and fails the range check.
const char *readCell(const char *p, int &x, int &n)
{
    constexpr int saturation = 1000000;
    x = static_cast<unsigned char>(*p) - 'A';
    if (*p != '\0')
        ++p;
    n = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        n = n >= saturation ? saturation : n * 10 + (*p - '0');
    return p;
}

bool onBoard(int x, int y, int columns, int rows)
{
    return x >= 0 && x < columns && y >= 0 && y < rows;
}

QString cellText(int x, int y, int rows)
{
    return QChar('A' + x) + QString::number(rows - y);
}

} // namespace

Move::Move(int fromX, int fromY, int toX, int toY)
    : fromX(fromX), fromY(fromY), toX(toX), toY(toY)
{
}

bool Move::operator==(const Move &other) const
{
    return fromX == other.fromX && fromY == other.fromY && toX == other.toX && toY == other.toY;
}

QString Move::toText(int /*columns*/, int rows) const
{
    return cellText(fromX, fromY, rows) + QStringLiteral(" - ") + cellText(toX, toY, rows);
}

bool Move::parse(const char *text, int columns, int rows)
{
    int n = 0;
    const char *p = readCell(skip(text, [](char c) { return c == ' '; }), fromX, n);
    fromY = rows - n;
    if (!onBoard(fromX, fromY, columns, rows))
        return false;
    toX = -1;
    toY = -1;
    p = skip(p, [](char c) { return c == ' ' || c == '-'; });
    if (*p == '\0')
        return true;
    readCell(p, toX, n);
    toY = rows - n;
    return onBoard(toX, toY, columns, rows);
}
