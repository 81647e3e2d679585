#include "BoardWidget.h"

#include "AppResources.h"
#include "Board.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
// Resource paths, indexed like BoardWidget::pictures: [code][light, dark].
const char *const picturePaths[][2] = {
    {":/images/Images/LITEMARB.BMP", ":/images/Images/DARKMARB.BMP"},
    {":/images/Images/smallBlackStoneOnWhite.bmp", ":/images/Images/smallBlackStoneOnDark.bmp"},
    {":/images/Images/blackStoneOnWhite.bmp", ":/images/Images/blackStoneOnDark.bmp"},
    {":/images/Images/smallRedStoneOnWhite.bmp", ":/images/Images/smallRedStoneOnDark.bmp"},
    {":/images/Images/redStoneOnWhite.bmp", ":/images/Images/redStoneOnDark.bmp"},
};

const QColor destinationColour(0, 255, 0, 255);
const QColor selectionColour(0, 0, 255, 255);
const QColor lastMoveColour(255, 160, 0, 255);
} // namespace

BoardWidget::BoardWidget(QWidget *parent, const Board *board, unsigned cellSize)
    : QWidget(parent), board(board), cellSize(cellSize)
{
    Q_ASSERT(board);
    Q_ASSERT(cellSize > 0);
    const int side = int(cellSize);
    setGeometry(10, 15, board->columns * side + margin, board->rows * side + 35);
    loadPictures();
    setUpdatesEnabled(true);
    pieceSelected = false;
}

void BoardWidget::loadPictures()
{
    static_assert(sizeof picturePaths / sizeof picturePaths[0] == pictureCodes, "one pair of pictures per code");
    AppResources::load();
    const int side = int(cellSize);
    for (int code = 0; code < pictureCodes; ++code)
        for (int dark = 0; dark < 2; ++dark)
            pictures[code][dark] = QImage(picturePaths[code][dark])
                                       .scaled(side, side, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void BoardWidget::clearSelection()
{
    pieceSelected = false;
}

void BoardWidget::setInputSide(int side)
{
    inputSide = side;
}

void BoardWidget::showLastMove(const Move &move)
{
    lastMove = move;
    lastMoveShown = true;
    update();
}

void BoardWidget::clearLastMove()
{
    lastMoveShown = false;
    update();
}

const QImage *BoardWidget::pictureFor(int x, int y) const
{
    const int code = board->cells[x][y];
    if (code < 0 || code >= pictureCodes)
        return nullptr;
    return &pictures[code][(x + y) % 2];
}

void BoardWidget::paintSquare(QPainter &painter, int x, int y) const
{
    const int side = int(cellSize);
    const int left = margin + x * side;
    const int top = margin + y * side;
    if (const QImage *picture = pictureFor(x, y))
        painter.drawImage(QPointF(left, top), *picture);
    if (x == 0)
        painter.drawText(QPointF(0, top + side / 2), QString::number(board->rows - y));
    if (y == board->rows - 1)
        painter.drawText(QPointF(left + side / 2, top + side + 15), QString(QChar('A' + x)));
}

// Draws four single lines just inside the square's edge.
void BoardWidget::frameSquare(QPainter &painter, int x, int y) const
{
    const int s = int(cellSize);
    const int left = margin + x * s;
    const int top = margin + y * s;
    const QLine sides[] = {
        QLine(left + 1, top + 1, left + s - 1, top + 1),
        QLine(left + s - 1, top + 1, left + s - 1, top + s - 1),
        QLine(left + s - 1, top + s - 1, left + 1, top + s - 1),
        QLine(left + 1, top + s - 1, left + 1, top + 1),
    };
    for (const QLine &line : sides)
        painter.drawLines(&line, 1);
}

void BoardWidget::paintSelection(QPainter &painter) const
{
    QPen pen(destinationColour, 2);
    painter.setPen(pen);
    MoveList moves;
    board->generateMovesFrom(selectedX, selectedY, moves);
    for (int i = 0; i < moves.count; ++i)
        frameSquare(painter, moves.moves[i].toX, moves.moves[i].toY);
    pen.setColor(selectionColour);
    painter.setPen(pen);
    frameSquare(painter, selectedX, selectedY);
}

void BoardWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int y = 0; y < board->rows; ++y)
        for (int x = 0; x < board->columns; ++x)
            paintSquare(painter, x, y);
    if (lastMoveShown) {
        painter.setPen(QPen(lastMoveColour, 2));
        frameSquare(painter, lastMove.fromX, lastMove.fromY);
        frameSquare(painter, lastMove.toX, lastMove.toY);
    }
    if (pieceSelected)
        paintSelection(painter);
}

void BoardWidget::selectFirst(int x, int y)
{
    selectedX = x;
    selectedY = y;
    if (board->owner(board->cells[x][y]) == inputSide)
        pieceSelected = true;
}

void BoardWidget::moveSelectedTo(int x, int y)
{
    // The board may have changed under a pending selection (new game, board
    // loaded): never hand over a move of a stone that is not the mover's.
    if (board->owner(board->cells[selectedX][selectedY]) != inputSide) {
        pieceSelected = false;
        return;
    }
    MoveList moves;
    board->generateMovesFrom(selectedX, selectedY, moves);
    for (int i = 0; i < moves.count; ++i) {
        if (moves.moves[i].toX != x || moves.moves[i].toY != y)
            continue;
        emit moveEntered(Move(selectedX, selectedY, x, y));
        pieceSelected = false;
        return;
    }
}

void BoardWidget::mousePressEvent(QMouseEvent *event)
{
    if (inputSide == noInput)
        return;
    const int side = int(cellSize);
    const int px = event->pos().x() - margin;
    const int py = event->pos().y() - margin;
    if (px < 0 || py < 0 || px >= board->columns * side || py >= board->rows * side)
        return;
    const int x = px / side;
    const int y = py / side;
    if (!pieceSelected)
        selectFirst(x, y);
    else if (x == selectedX && y == selectedY)
        pieceSelected = false;
    else
        moveSelectedTo(x, y);
    repaint();
}
