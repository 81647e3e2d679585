// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFileDevice;

// Why a file operation failed, in the language of Qt's installed catalogue: Qt 5
// leaves these reasons ("No such file or directory") untranslated although its
// catalogue holds them. Reasons the catalogue lacks stay as Qt gave them.
class FileErrors
{
public:
    static QString reason(const QFileDevice &file);
};
