// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include <vector>

// Red's chance to win across a game, as a review found it: a line over the
// positions from the start to the end, the moves it judged marked with their signs
// ("?!", "?", "??") so that they are told by shape and not by colour alone, and the
// position shown marked by an upright line. A click, or the arrow keys, choose a
// position; a screen reader hears the position chosen, red's chance and the sign.
class EvaluationGraph : public QWidget
{
    Q_OBJECT

public:
    // One position of the game: red's chance there, in [0, 1], and the move that led
    // to it (empty for the start) with its sign.
    struct Point
    {
        double redChance = 0.5;
        QString move;
        QString sign;
    };

    explicit EvaluationGraph(QWidget *parent = nullptr);

    void setPoints(const std::vector<Point> &points);
    void clear() { setPoints({}); }
    // The position shown, after that many plies.
    void setShownPly(int plies);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A position chosen by a click or a key: that many plies from the start.
    void plyChosen(int plies);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QRectF plot() const;
    QPointF at(int plies) const;
    int plyNear(qreal x) const;
    // What a screen reader is told of a position.
    QString describe(int plies) const;
    void tell();

    std::vector<Point> points;
    int shown = 0;
};
