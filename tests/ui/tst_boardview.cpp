// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardWidget.h"
#include "ZarvikBoard.h"

#include "PaintCounter.h"

#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

namespace {
constexpr int cell = 64, margin = 15, end = margin + 8 * cell;
const QRgb selectedColour = qRgb(0, 0, 255), destinationColour = qRgb(0, 255, 0), lastMoveColour = qRgb(255, 160, 0),
           cursorColour = qRgb(255, 255, 0),
           hintColour = qRgb(0, 200, 255);

QRect square(int x, int y) { return QRect(margin + x * cell, margin + y * cell, cell, cell); }

QString nameOf(int i) { return QChar('A' + i % 8) + QString::number(8 - i / 8); }

// The names of the squares whose pixels pass the test: "A3 B3 C3".
template <typename Test>
QString squaresWhere(Test test)
{
    QStringList found;
    for (int i = 0; i < 64; ++i)
        if (test(square(i % 8, i / 8)))
            found << nameOf(i);
    return found.join(' ');
}

// What the pixels of the colour draw on a square: a thick "frame", "corners", a
// "dashed" frame, a thin frame with a "notch" in its top left corner, or "?".
QString shapeIn(const QImage &image, const QRect &square, QRgb colour)
{
    const int s = square.width();
    const auto on = [&](int x, int y) { return image.pixel(square.left() + x, square.top() + y) == colour; };
    // The rings of pixels at distance 0, 1, ... from the edge that are wholly in colour.
    const auto ringFull = [&](int k) {
        for (int i = k; i < s - k; ++i)
            if (!on(i, k) || !on(i, s - 1 - k) || !on(k, i) || !on(s - 1 - k, i))
                return false;
        return true;
    };
    int solid = 0;
    while (solid < s / 2 && ringFull(solid))
        ++solid;
    int coloured = 0, runs = 0;
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x)
            coloured += on(x, y);
    for (int x = 0; x < s; ++x)
        runs += on(x, 0) && (x == 0 || !on(x - 1, 0));
    if (solid == 4 && coloured == s * s - (s - 8) * (s - 8))
        return "frame";
    if (solid == 2 && on(4, 4) && !on(s - 5, 4) && !on(4, s - 5))
        return "notch";
    if (solid == 0 && runs == 2 && !on(s / 2, 0) && !on(s / 2, s / 2))
        return "corners";
    if (solid == 0 && runs > 2 && !on(s / 2, s / 2) && !on(4, 4))
        return "dashed";
    return "?";
}

// The squares with any pixel in the colour.
QString touched(const QImage &image, QRgb colour)
{
    return squaresWhere([&](const QRect &outer) {
        bool hit = false;
        for (int y = outer.top(); y <= outer.bottom(); ++y)
            for (int x = outer.left(); x <= outer.right(); ++x)
                hit = hit || image.pixel(x, y) == colour;
        return hit;
    });
}

// The squares with pixels in the colour, each followed by what they draw when it is
// not the shape expected: "B2 A3:frame".
QString marked(const QImage &image, QRgb colour, const QString &shape)
{
    QStringList found;
    for (const QString &name : touched(image, colour).split(' ', Qt::SkipEmptyParts)) {
        const QString drawn = shapeIn(image, square(name[0].unicode() - 'A', '8' - name[1].unicode()), colour);
        found << (drawn == shape ? name : name + ':' + drawn);
    }
    return found.join(' ');
}

// The selected stone, then its destinations: "B2|A3 B3 C3".
QString frames(const QImage &image)
{
    return marked(image, selectedColour, "frame") + '|' + marked(image, destinationColour, "corners");
}
} // namespace

class TestBoardView : public QObject
{
    Q_OBJECT

    GameModel game;
    BoardWidget view{nullptr, &game, cell};
    PaintCounter paints{view};
    QSignalSpy entered{&view, &BoardWidget::moveEntered};

    void press(int x, int y) { QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(x, y)); }
    // Presses the middle of the squares named ("B2 - B3"), then tells the frames shown.
    QString press(const QString &cells)
    {
        for (const QString &c : cells.split(QRegularExpression("[ -]+"), Qt::SkipEmptyParts))
            press(margin + (c[0].unicode() - 'A') * cell + cell / 2, margin + ('8' - c[1].unicode()) * cell + cell / 2);
        return frames(paints.render());
    }

private slots:
    void init()
    {
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        game.reset(ZarvikBoard(), Side::Red);
        view.clearSelection();
        view.setInputSide(Side::Red);
        view.setFlipped(false);
        entered.clear();
        paints.count = 0;
    }

    // Only a person's own stone is selected, with a thick blue frame, its destinations
    // with green corners (an empty square or an enemy stone still repaints). Another own stone or a
    // square out of reach keeps the selection; the stone again drops it. The edge
    // pixels of a square belong to it.
    void selection()
    {
        const QImage before = paints.render();
        QVERIFY(press("D4") == "|" && paints.count == 1);
        QCOMPARE(press("A7"), QString("|"));
        press("A6");
        QCOMPARE(paints.render(), before);
        press(margin + cell, margin + 6 * cell); // B2, top left pixel
        QCOMPARE(press("D2 D4"), QString("B2|A3 B3 C3"));
        press(margin + 2 * cell - 1, margin + 7 * cell - 1); // B2, bottom right pixel
        QCOMPARE(paints.render(), before);
    }

    // The last move played to the position shown has its two squares in a dashed
    // frame of their own colour, under a selection; a hint's have a notched frame.
    // No mark is told by its colour alone.
    void lastMove()
    {
        QVERIFY(game.play(Move(1, 6, 1, 5)) && game.play(Move(0, 1, 0, 2)) && game.play(GameRecord::pass) == false);
        game.setCursor(1);
        QCOMPARE(marked(paints.render(), lastMoveColour, "dashed"), QString("B3 B2"));
        view.setInputSide(Side::Black);
        QCOMPARE(press("C7"), QString("C7|B6 C6 D6"));
        game.setCursor(0);
        QCOMPARE(touched(paints.render(), lastMoveColour) + frames(paints.render()), QString("|"));
        view.showHint(Move(3, 6, 4, 5)); // a hint has a colour of its own
        QCOMPARE(marked(paints.render(), hintColour, "notch") + touched(paints.render(), lastMoveColour), QString("E3 D2"));
        view.clearHint();
        view.clearSelection();
    }

    // The arrows move a cursor, which stops at the edges; Space and Enter press the
    // square under it. The cursor is drawn on that square alone.
    void keyboardEntersAMove()
    {
        view.setFocus();
        QTRY_VERIFY(view.hasFocus());
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_Right, Qt::Key_Up, Qt::Key_Space, Qt::Key_Up})
            QTest::keyClick(&view, key);
        QCOMPARE(frames(paints.render()), QString("B2|A3 B3 C3"));
        QCOMPARE(touched(paints.render(), cursorColour), QString("B3"));
        QTest::keyClick(&view, Qt::Key_Return);
        QCOMPARE(entered.size(), 1);
        QVERIFY(entered.last().at(0).value<Move>() == Move(1, 6, 1, 5));
    }

    // Flipped, red's B2 is drawn where G7 is otherwise: presses there and on the
    // squares in front of it, which are now below it, enter red's move.
    void flippedBoardTakesPressesWhereItDraws()
    {
        view.setFlipped(true);
        QCOMPARE(press("G7"), QString("G7|F6 G6 H6"));
        QCOMPARE(press("H6"), QString("|"));
        QCOMPARE(entered.size(), 1);
        QVERIFY(entered.last().at(0).value<Move>() == Move(1, 6, 0, 5));
    }

    // Presses in the margins or past the squares, or while nobody may enter a move, do
    // nothing, not even a repaint.
    void pressesIgnored()
    {
        const QImage before = paints.render();
        for (const QPoint &p : {QPoint(margin - 1, 400), QPoint(end, 400), QPoint(400, margin - 1), QPoint(400, end)})
            press(p.x(), p.y());
        view.setInputSide(std::nullopt);
        press("B2 B3");
        QVERIFY(paints.count == 0 && paints.render() == before && entered.isEmpty());
    }

    // A selection belongs to the position it was made on: a board loaded under it
    // drops it, and a press then selects afresh.
    void staleSelectionIsDropped()
    {
        press("B2");
        ZarvikBoard loaded;
        loaded.cells[1][6] = Piece::blackStone;
        game.reset(loaded, Side::Red);
        QCOMPARE(press("B3"), QString("|"));
    }
};

QTEST_MAIN(TestBoardView)
#include "tst_boardview.moc"
