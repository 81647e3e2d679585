// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QComboBox;
class PortSpinBox;

// Asks where games with a "Réseau" side wait for remote players: on every address of
// this computer or on this computer only, and on which port.
class ListenDialog : public QDialog
{
    Q_OBJECT

public:
    ListenDialog(bool localOnly, quint16 port, QWidget *parent = nullptr);

    bool localOnly() const;
    quint16 port() const;

private:
    QComboBox *addressField;
    PortSpinBox *portField;
};
