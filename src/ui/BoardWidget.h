#pragma once

#include <QImage>
#include <QWidget>

class Board;

// The board view: draws the squares, stones, row numbers and column letters, and
// lets the person whose turn it is enter a move with two presses.
class BoardWidget : public QWidget
{
    Q_OBJECT

public:
    BoardWidget(QWidget *parent, Board *board, unsigned cellSize);

    // Drops a pending selection (a new game, a board loaded).
    void clearSelection();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    Board *board;
    unsigned cellSize;
    int selectedX = 0;
    int selectedY = 0;
    bool pieceSelected = false;
};
