// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSpinBox>

// A TCP port, 1 to 65535, without thousands separator.
class PortSpinBox : public QSpinBox
{
    Q_OBJECT

public:
    explicit PortSpinBox(quint16 port, QWidget *parent = nullptr);

    quint16 port() const { return quint16(value()); }
};
