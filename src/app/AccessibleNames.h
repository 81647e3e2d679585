// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

class QWidget;

// Names for screen readers of the window's controls that show no words of their
// own: buttons with only an icon or a digit, the time and file fields, the move
// list. They are found by their object names, so that the form may change around
// them.
class AccessibleNames
{
    Q_DECLARE_TR_FUNCTIONS(AccessibleNames)

public:
    static void give(QWidget *window);
};
