// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

class QWidget;

// Names for screen readers of the window's controls that show no words of their
// own: buttons with only an icon, the file field and the move list, found by their
// object names so that the form may change around them; and the boxes, by their
// titles. The options of each side are named by the options panel, which knows
// the sides.
class AccessibleNames
{
    Q_DECLARE_TR_FUNCTIONS(AccessibleNames)

public:
    static void give(QWidget *window);
};
