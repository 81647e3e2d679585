#include "BoardWidget.h"

#include "Board.h"

// Placeholder until the view lands.
BoardWidget::BoardWidget(QWidget *parent, Board *board, unsigned cellSize)
    : QWidget(parent), board(board), cellSize(cellSize)
{
    setGeometry(10, 15, board->columns * int(cellSize) + 15, board->rows * int(cellSize) + 35);
}

void BoardWidget::clearSelection() { pieceSelected = false; }
void BoardWidget::paintEvent(QPaintEvent *) {}
void BoardWidget::mousePressEvent(QMouseEvent *) {}
