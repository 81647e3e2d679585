#pragma once

#include <QString>

struct Move;

// What the controller shows of a game: the four operations of the main window.
class GameDisplay
{
public:
    virtual ~GameDisplay() = default;
    virtual void addMove(const Move &move) = 0;
    virtual void clearMoveList() = 0;
    virtual void showStatusMessage(const QString &text) = 0;
    virtual void refresh() = 0;
};
