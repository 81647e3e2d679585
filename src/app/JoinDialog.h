// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class PortSpinBox;

// Asks where the game to join is hosted: a name or address, and a port.
class JoinDialog : public QDialog
{
    Q_OBJECT

public:
    JoinDialog(const QString &lastHost, quint16 lastPort, QWidget *parent = nullptr);

    QString host() const;
    quint16 port() const;

private:
    QLineEdit *hostField;
    PortSpinBox *portField;
};
