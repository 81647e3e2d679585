// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppResources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the registration function at block scope, so it must
// not be inside a namespace.
static void registerResources()
{
    Q_INIT_RESOURCE(zarvik);
}

void AppResources::load()
{
    static const bool loaded = (registerResources(), true);
    Q_UNUSED(loaded);
}
