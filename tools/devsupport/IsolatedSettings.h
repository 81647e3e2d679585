// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Keeps the window's remembered settings and its game in progress away from the
// user's own: a run that calls begin() before its first window reads and writes a
// copy of its own, emptied here.
class IsolatedSettings
{
public:
    static void begin();
};
