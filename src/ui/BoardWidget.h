// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameModel.h"
#include "Move.h"

#include <QImage>
#include <QWidget>

#include <optional>

class QPainter;

// The board view: draws the squares, stones, row numbers and column letters, and
// lets the person whose turn it is enter a move with two presses: the stone, then
// one of its destinations (green corners; the selected stone has a thick blue frame),
// or from the keyboard: the arrows move a cursor (a dotted frame while the view has
// the focus), Enter or Space stand for a press on the square under it. It only
// emits the move entered; whoever runs the game says which side may enter one.
// Screen readers see it as a table of squares (BoardAccessible), the focus on the
// cursor's square, and its description tells the last move played.
class BoardWidget : public QWidget
{
    Q_OBJECT

public:
    // The margin left of and above the squares, which carries the row numbers.
    static constexpr int margin = 15;

    // The smallest squares, so that the window fits a small screen.
    static constexpr int minimumCellSize = 32;

    // Shows the position the model shows, with the last move played to it framed;
    // cellSize is the side of a square at the view's preferred size.
    BoardWidget(QWidget *parent, const GameModel *model, unsigned cellSize);

    // The side of a square in pixels: the largest that the view's size holds.
    int cellSide() const { return int(cellSize); }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Drops a pending selection (a new game, a board loaded).
    void clearSelection();
    // The side whose person may enter a move now, if any.
    void setInputSide(std::optional<Side> side);
    // Marks both squares of a suggested move until clearHint().
    void showHint(const Move &move);
    void clearHint();
    // Black's side at the bottom: painting, labels, presses and the cursor follow.
    void setFlipped(bool flipped);

    // The move suggested, or null.
    const Move *shownHint() const { return hintShown ? &hint : nullptr; }

    // What a square may be marked with, each in a colour and shape of its own.
    enum class Mark { Selection, Destination, LastMove, Hint };
    bool hasMark(int x, int y, Mark mark) const;
    // The position shown, and the board square drawn at a row and column of the view
    // (counted from its top left), flipped or not.
    const Board &shownBoard() const { return *board; }
    QPoint squareAt(int row, int column) const { return QPoint(shownColumn(column), shownRow(row)); }
    // The keyboard cursor's row and column in the view.
    int cursorRow() const { return cursorY; }
    int cursorColumn() const { return cursorX; }
    // Where the square of board column x and row y is drawn.
    QRect squareRect(int x, int y) const;

signals:
    // A legal move of the input side, entered with two presses.
    void moveEntered(const Move &move);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int left() const; // where the first column of squares starts
    // Piece codes 0 (empty) to 4 (red stone) that have a picture.
    static constexpr int pictureCodes = 5;

    void showGame();
    QSize sizeFor(int cell) const;
    void loadPictures();
    void scalePictures();
    const QImage *pictureFor(int x, int y) const;
    int shownColumn(int x) const;
    int shownRow(int y) const;
    void paintSquare(QPainter &painter, int x, int y) const;
    void paintMark(QPainter &painter, int x, int y, Mark mark) const;
    static void fillFrame(QPainter &painter, const QRect &square, const QColor &colour, int width);
    static void paintCorners(QPainter &painter, const QRect &square);
    static void paintNotch(QPainter &painter, const QRect &square);
    void markMove(QPainter &painter, const Move &move, Mark mark) const;
    void paintSelection(QPainter &painter) const;
    void paintCursor(QPainter &painter) const;
    // A press on the square (x, y): picks a stone, drops it, or moves it there.
    void pressSquare(int x, int y);
    void moveCursor(int dx, int dy);
    // Tells screen readers that the cursor's square has the focus.
    void announceCursor();
    // "Rouge joue B2 - B3": the last ply played to the position shown, or nothing.
    QString lastPlyText() const;
    void selectFirst(int x, int y);
    // Emits the move from the selected stone to (x, y), if the stone has one.
    void moveSelectedTo(int x, int y);

    const GameModel *game;
    const Board *board; // the model's position shown
    std::optional<Side> inputSide;
    unsigned cellSize;
    const int preferredCellSize;
    // Indexed [code][0 light, 1 dark]; code 0 is the bare marble square. The pictures
    // drawn are scaled to the squares from the originals, once per size.
    QImage originals[pictureCodes][2];
    QImage pictures[pictureCodes][2];
    int selectedX = 0;
    int selectedY = 0;
    bool pieceSelected = false;
    // The keyboard cursor, in squares from the top left of the view.
    int cursorX = 0;
    int cursorY = 0;
    Move lastMove;
    bool lastMoveShown = false;
    bool flipped = false;
    Move hint;
    bool hintShown = false;
};
