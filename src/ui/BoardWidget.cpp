// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardWidget.h"

#include "AppResources.h"
#include "Board.h"
#include "BoardAccessible.h"
#include "ZarvikBoard.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

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
const QColor hintColour(0, 200, 255, 255);
const QColor cursorColour(255, 255, 0, 255);
constexpr int labelSpace = 35; // the margin above and the column letters below the squares
constexpr int frameWidth = 2;
constexpr int selectionWidth = 4;
constexpr int cornerWidth = 3;
constexpr int cursorInset = 5; // inside the frames drawn on the square's edge
} // namespace

BoardWidget::BoardWidget(QWidget *parent, const GameModel *model, unsigned cellSize)
    : QWidget(parent), game(model), board(&model->position()), cellSize(cellSize), preferredCellSize(int(cellSize))
{
    Q_ASSERT(cellSize > 0);
    connect(game, &GameModel::changed, this, &BoardWidget::showGame);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    loadPictures();
    scalePictures();
    resize(sizeHint()); // until a layout gives it its room
    setUpdatesEnabled(true);
    setFocusPolicy(Qt::StrongFocus);
    pieceSelected = false;
    cursorY = board->rows - 1;
    BoardAccessible::install();
    setAccessibleName(tr("Plateau"));
}

void BoardWidget::loadPictures()
{
    static_assert(sizeof picturePaths / sizeof picturePaths[0] == pictureCodes, "one pair of pictures per code");
    AppResources::load();
    for (int code = 0; code < pictureCodes; ++code)
        for (int dark = 0; dark < 2; ++dark)
            originals[code][dark] = QImage(picturePaths[code][dark]);
}

QSize BoardWidget::sizeFor(int cell) const
{
    return QSize(board->columns * cell + margin, board->rows * cell + labelSpace);
}

QSize BoardWidget::sizeHint() const
{
    return sizeFor(preferredCellSize);
}

QSize BoardWidget::minimumSizeHint() const
{
    return sizeFor(minimumCellSize);
}

// The squares stay square: the side that has less room sets their size.
void BoardWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int cell = qMax(1, qMin((width() - margin) / board->columns, (height() - labelSpace) / board->rows));
    if (cell == int(cellSize))
        return;
    cellSize = unsigned(cell);
    scalePictures();
    update();
}

void BoardWidget::scalePictures()
{
    const int pixels = int(cellSize);
    for (int code = 0; code < pictureCodes; ++code)
        for (int dark = 0; dark < 2; ++dark)
            pictures[code][dark] = originals[code][dark].scaled(pixels, pixels, Qt::IgnoreAspectRatio,
                                                                Qt::SmoothTransformation);
}

void BoardWidget::clearSelection()
{
    pieceSelected = false;
}

void BoardWidget::setInputSide(std::optional<Side> side)
{
    inputSide = side;
}

// The last move played to the position shown is framed; a selection made on another
// position means nothing on this one.
void BoardWidget::showGame()
{
    pieceSelected = false;
    lastMoveShown = false;
    for (int i = game->cursor() - 1; i >= 0 && !lastMoveShown; --i) {
        lastMove = game->plies()[size_t(i)].move;
        lastMoveShown = !game->plies()[size_t(i)].isPass();
    }
    // Screen readers hear of the change of description.
    setAccessibleDescription(lastPlyText());
    update();
}

QString BoardWidget::lastPlyText() const
{
    if (game->cursor() == 0)
        return QString();
    const GameModel::Ply &ply = game->plies()[size_t(game->cursor() - 1)];
    const bool red = ply.side == Side::Red;
    if (ply.isPass())
        return red ? tr("Rouge passe") : tr("Noir passe");
    const QString move = ply.move.toText(board->columns, board->rows);
    if (ply.move.captured != Piece::empty)
        return red ? tr("Rouge joue %1 et prend").arg(move) : tr("Noir joue %1 et prend").arg(move);
    return red ? tr("Rouge joue %1").arg(move) : tr("Noir joue %1").arg(move);
}

bool BoardWidget::hasMark(int x, int y, Mark mark) const
{
    const auto inMove = [x, y](const Move &move) {
        return (move.fromX == x && move.fromY == y) || (move.toX == x && move.toY == y);
    };
    switch (mark) {
    case Mark::Selection:
        return pieceSelected && selectedX == x && selectedY == y;
    case Mark::Destination: {
        MoveList moves;
        if (pieceSelected)
            board->generateMovesFrom(selectedX, selectedY, moves);
        return std::any_of(moves.moves, moves.moves + moves.count,
                           [x, y](const Move &move) { return move.toX == x && move.toY == y; });
    }
    case Mark::LastMove:
        return lastMoveShown && inMove(lastMove);
    case Mark::Hint:
        return hintShown && inMove(hint);
    }
    return false;
}

void BoardWidget::showHint(const Move &move)
{
    hint = move;
    hintShown = true;
    update();
}

void BoardWidget::clearHint()
{
    hintShown = false;
    update();
}

const QImage *BoardWidget::pictureFor(int x, int y) const
{
    const int code = board->cells[x][y];
    if (code < 0 || code >= pictureCodes)
        return nullptr;
    return &pictures[code][(x + y) % 2];
}

void BoardWidget::setFlipped(bool flip)
{
    flipped = flip;
    update();
}

// Maps a board column to a view column and back (the mapping is its own inverse).
int BoardWidget::shownColumn(int x) const
{
    return flipped ? board->columns - 1 - x : x;
}

int BoardWidget::shownRow(int y) const
{
    return flipped ? board->rows - 1 - y : y;
}

// The squares are centred across the widget's width: a board narrower than its
// room leaves no gap on one side only.
int BoardWidget::left() const
{
    return margin + qMax(0, (width() - sizeFor(int(cellSize)).width()) / 2);
}

QRect BoardWidget::squareRect(int x, int y) const
{
    const int pixels = int(cellSize);
    return QRect(left() + shownColumn(x) * pixels, margin + shownRow(y) * pixels, pixels, pixels);
}

// The row numbers along the left edge, the column letters under the bottom row.
void BoardWidget::paintSquare(QPainter &painter, int x, int y) const
{
    const QRect square = squareRect(x, y);
    const int pixels = int(cellSize);
    if (const QImage *picture = pictureFor(x, y))
        painter.drawImage(square.topLeft(), *picture);
    if (shownColumn(x) == 0)
        painter.drawText(QPointF(square.left() - margin, square.top() + pixels / 2), QString::number(board->rows - y));
    if (shownRow(y) == board->rows - 1)
        painter.drawText(QPointF(square.left() + pixels / 2, square.top() + pixels + 15), QString(QChar('A' + x)));
}

// Each mark has a shape of its own besides its colour, so that none is told by
// colour alone: a thick frame for the stone chosen, corner brackets for its
// destinations, a dashed frame for the last move, a frame with a notch in its top
// left corner for the hint.
void BoardWidget::paintMark(QPainter &painter, int x, int y, Mark mark) const
{
    const QRect square = squareRect(x, y);
    switch (mark) {
    case Mark::Selection:
        return fillFrame(painter, square, selectionColour, selectionWidth);
    case Mark::Destination:
        return paintCorners(painter, square);
    case Mark::LastMove:
        painter.setPen(QPen(lastMoveColour, frameWidth, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        return painter.drawRect(QRectF(square).adjusted(1, 1, -1, -1));
    case Mark::Hint:
        fillFrame(painter, square, hintColour, frameWidth);
        return paintNotch(painter, square);
    }
}

// A frame of that width just inside the square's edge.
void BoardWidget::fillFrame(QPainter &painter, const QRect &square, const QColor &colour, int width)
{
    const int s = square.width();
    const QRect sides[] = {QRect(0, 0, s, width), QRect(0, s - width, s, width), QRect(0, 0, width, s),
                           QRect(s - width, 0, width, s)};
    for (const QRect &side : sides)
        painter.fillRect(side.translated(square.topLeft()), colour);
}

// An L in each corner, a quarter of the side long.
void BoardWidget::paintCorners(QPainter &painter, const QRect &square)
{
    const int s = square.width();
    const int arm = s / 4;
    for (int right = 0; right < 2; ++right)
        for (int bottom = 0; bottom < 2; ++bottom) {
            const int left = right ? s - arm : 0;
            const int top = bottom ? s - arm : 0;
            painter.fillRect(QRect(left, bottom ? s - cornerWidth : 0, arm, cornerWidth).translated(square.topLeft()),
                             destinationColour);
            painter.fillRect(QRect(right ? s - cornerWidth : 0, top, cornerWidth, arm).translated(square.topLeft()),
                             destinationColour);
        }
}

// A filled triangle in the top left corner, inside the frame.
void BoardWidget::paintNotch(QPainter &painter, const QRect &square)
{
    const int notch = square.width() / 4;
    const QPoint corner = square.topLeft();
    const QPoint triangle[] = {corner, corner + QPoint(notch, 0), corner + QPoint(0, notch)};
    painter.setPen(Qt::NoPen);
    painter.setBrush(hintColour);
    painter.drawPolygon(triangle, 3);
}

void BoardWidget::markMove(QPainter &painter, const Move &move, Mark mark) const
{
    paintMark(painter, move.fromX, move.fromY, mark);
    paintMark(painter, move.toX, move.toY, mark);
}

void BoardWidget::paintSelection(QPainter &painter) const
{
    MoveList moves;
    board->generateMovesFrom(selectedX, selectedY, moves);
    for (int i = 0; i < moves.count; ++i)
        paintMark(painter, moves.moves[i].toX, moves.moves[i].toY, Mark::Destination);
    paintMark(painter, selectedX, selectedY, Mark::Selection);
}

void BoardWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    for (int y = 0; y < board->rows; ++y)
        for (int x = 0; x < board->columns; ++x)
            paintSquare(painter, x, y);
    if (lastMoveShown)
        markMove(painter, lastMove, Mark::LastMove);
    if (hintShown)
        markMove(painter, hint, Mark::Hint);
    if (pieceSelected)
        paintSelection(painter);
    if (hasFocus())
        paintCursor(painter);
}

void BoardWidget::paintCursor(QPainter &painter) const
{
    const int s = int(cellSize);
    painter.setPen(QPen(cursorColour, 2, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(left() + cursorX * s, margin + cursorY * s, s, s)
                         .adjusted(cursorInset, cursorInset, -cursorInset, -cursorInset));
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
    if (!hasMark(x, y, Mark::Destination))
        return;
    emit moveEntered(Move(selectedX, selectedY, x, y));
    pieceSelected = false;
}

void BoardWidget::mousePressEvent(QMouseEvent *event)
{
    if (!inputSide)
        return;
    const int pixels = int(cellSize);
    const int px = event->pos().x() - left();
    const int py = event->pos().y() - margin;
    if (px < 0 || py < 0 || px >= board->columns * pixels || py >= board->rows * pixels)
        return;
    pressSquare(shownColumn(px / pixels), shownRow(py / pixels));
}

void BoardWidget::pressSquare(int x, int y)
{
    if (!pieceSelected)
        selectFirst(x, y);
    else if (x == selectedX && y == selectedY)
        pieceSelected = false;
    else
        moveSelectedTo(x, y);
    repaint();
}

void BoardWidget::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        return moveCursor(-1, 0);
    case Qt::Key_Right:
        return moveCursor(1, 0);
    case Qt::Key_Up:
        return moveCursor(0, -1);
    case Qt::Key_Down:
        return moveCursor(0, 1);
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (inputSide)
            pressSquare(shownColumn(cursorX), shownRow(cursorY));
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void BoardWidget::moveCursor(int dx, int dy)
{
    cursorX = qBound(0, cursorX + dx, board->columns - 1);
    cursorY = qBound(0, cursorY + dy, board->rows - 1);
    announceCursor();
    update();
}

void BoardWidget::announceCursor()
{
    if (!hasFocus())
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(cursorY * board->columns + cursorX);
    QAccessible::updateAccessibility(&event);
}

void BoardWidget::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    announceCursor();
    update();
}

void BoardWidget::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}
