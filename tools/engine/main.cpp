// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineTool.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zarvik-engine"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZARVIK_VERSION));
    return EngineTool().run(QCoreApplication::arguments());
}
