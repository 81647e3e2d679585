// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The compiled pictures and icons live in the static app library, where the
// linker drops their registration unless something refers to it: call load()
// before the first picture is read (the views do it in their constructors).
class AppResources
{
public:
    // Registers the resource tree; later calls do nothing.
    static void load();
};
