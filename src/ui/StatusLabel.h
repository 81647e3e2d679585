// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

// The game's status, a permanent part of the status bar: menu tips, shown there for
// a moment, do not take its place. Those who follow the game (a transcript) hear
// every status shown.
class StatusLabel : public QLabel
{
    Q_OBJECT

public:
    explicit StatusLabel(QWidget *parent = nullptr);

    void showStatus(const QString &text);

signals:
    void statusShown(const QString &text);
};
