#pragma once

#include <QImage>
#include <QWidget>

class Board;
class QPainter;

// The board view: draws the squares, stones, row numbers and column letters, and
// lets the person whose turn it is enter a move with two presses: the stone, then
// one of its destinations (framed in green; the selected stone in blue).
class BoardWidget : public QWidget
{
    Q_OBJECT

public:
    // The margin left of and above the squares, which carries the row numbers.
    static constexpr int margin = 15;

    BoardWidget(QWidget *parent, Board *board, unsigned cellSize);

    // Drops a pending selection (a new game, a board loaded).
    void clearSelection();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    // Piece codes 0 (empty) to 4 (red stone) that have a picture.
    static constexpr int pictureCodes = 5;

    void loadPictures();
    const QImage *pictureFor(int x, int y) const;
    void paintSquare(QPainter &painter, int x, int y) const;
    void paintSelection(QPainter &painter) const;
    void frameSquare(QPainter &painter, int x, int y) const;
    void selectFirst(int x, int y, int turn);
    // Hands the move from the selected stone to (x, y) to the controller, if the
    // stone has one.
    void moveSelectedTo(int x, int y, int turn);

    Board *board;
    unsigned cellSize;
    // Indexed [code][0 light, 1 dark]; code 0 is the bare marble square.
    QImage pictures[pictureCodes][2];
    int selectedX = 0;
    int selectedY = 0;
    bool pieceSelected = false;
};
