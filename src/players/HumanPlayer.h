// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Player.h"

// A person at the board: the move entered there while it is this side's turn is
// the seat's answer. The game keeps the person's time, as every side's.
class HumanPlayer : public Player
{
    Q_OBJECT

public:
    explicit HumanPlayer(Side side, QObject *parent = nullptr);

    void play(const Turn &turn) override;
    void stop() override;
    void enter(const Move &move) override;

private:
    bool asked = false;
};
