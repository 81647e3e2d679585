// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileErrors.h"

#include <QCoreApplication>
#include <QFileDevice>

QString FileErrors::reason(const QFileDevice &file)
{
    return QCoreApplication::translate("QIODevice", file.errorString().toUtf8().constData());
}
