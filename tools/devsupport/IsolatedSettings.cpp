// SPDX-License-Identifier: GPL-3.0-or-later
#include "IsolatedSettings.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

// A folder of this process's own: test programs run side by side (ctest -j), and one
// must not read the settings, or the game in progress, another has just written.
void IsolatedSettings::begin()
{
    static const QTemporaryDir folder;
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder.path()));
    for (QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, folder.path());
    QSettings(QStringLiteral("Zarvik"), QStringLiteral("Zarvik")).clear();
}
