#include "Player.h"

Player::Player(Board *board, int color)
    : QThread(nullptr), board(board), color(color)
{
}
