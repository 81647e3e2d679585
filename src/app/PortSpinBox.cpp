// SPDX-License-Identifier: GPL-3.0-or-later
#include "PortSpinBox.h"

PortSpinBox::PortSpinBox(quint16 port, QWidget *parent)
    : QSpinBox(parent)
{
    setRange(1, 65535);
    setGroupSeparatorShown(false);
    setValue(port);
}
