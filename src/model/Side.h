// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The two sides of a game. Red starts on the two bottom rows and moves up, black on
// the two top rows and moves down; red moves first from the initial position. The
// numeric values are those of files and messages: 0 red, 1 black.
enum class Side : int { Red = 0, Black = 1 };

// The opponent: ~Side::Red == Side::Black.
constexpr Side operator~(Side side)
{
    return side == Side::Red ? Side::Black : Side::Red;
}

// The side as an index into per-side arrays (0 red, 1 black).
constexpr int indexOf(Side side)
{
    return static_cast<int>(side);
}

// Both sides, red first, for loops over them.
constexpr Side bothSides[] = {Side::Red, Side::Black};
