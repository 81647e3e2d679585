// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Player.h"

// A person at the board view: the view hands clicked moves straight to the
// controller, so this side has nothing to do when asked to move.
class HumanPlayer : public Player
{
public:
    HumanPlayer(Board *board, int color);

    void RequestMove() override;
    Move *TakeMove() override;
    void StartGame() override;

    Move move; // never filled: a person's moves do not pass through here
};
