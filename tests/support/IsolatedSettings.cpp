// SPDX-License-Identifier: GPL-3.0-or-later
#include "IsolatedSettings.h"

#include <QSettings>
#include <QStandardPaths>

void IsolatedSettings::begin()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings(QStringLiteral("Zarvik"), QStringLiteral("Zarvik")).clear();
}
