// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Player.h"

#include <QTimer>

// A person at the board: the move entered there while it is this side's turn is
// the seat's answer. With a time limit, a person who has not moved when it is
// spent loses on time, like the other kinds of seat.
class HumanPlayer : public Player
{
    Q_OBJECT

public:
    // A timeLimit of Player::untimed: no clock.
    explicit HumanPlayer(Side side, int timeLimit = Player::untimed, QObject *parent = nullptr);

    void play(const Turn &turn) override;
    void stop() override;
    void enter(const Move &move) override;
    bool isPerson() const override { return true; }

private:
    bool asked = false;
    const int timeLimit; // seconds
    QTimer clock;
};
