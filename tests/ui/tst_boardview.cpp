#include "BoardWidget.h"
#include "GameController.h"
#include "GameDisplay.h"
#include "HumanPlayer.h"
#include "ZarvikBoard.h"

#include "PaintCounter.h"

#include <QPainter>
#include <QtTest>

namespace {
constexpr int cell = 64;
constexpr int margin = 15;
// What the view leaves undrawn keeps this colour in a rendering.
const QRgb untouched = qRgb(255, 0, 255);
const QRgb green = qRgb(0, 255, 0);
const QRgb blue = qRgb(0, 0, 255);

// The window as the controller sees it; repaints the view as the real one does.
class FakeDisplay : public GameDisplay
{
public:
    void addMove(const Move &move) override { moves.append(move); }
    void clearMoveList() override {}
    void showStatusMessage(const QString &) override {}
    void refresh() override
    {
        if (view)
            view->repaint();
    }

    QWidget *view = nullptr;
    QList<Move> moves;
};

QImage picture(const char *name)
{
    return QImage(QString(":/images/Images/") + name).convertToFormat(QImage::Format_RGB32);
}

QRect squareRect(int x, int y, int side = cell)
{
    return QRect(margin + x * side, margin + y * side, side, side);
}

// Whether the two outermost pixel rings of the square have the colour, and the
// third ring has not.
bool framed(const QImage &image, int x, int y, QRgb colour)
{
    const QRect square = squareRect(x, y);
    for (int ring = 0; ring < 3; ++ring) {
        const QRect r = square.adjusted(ring, ring, -ring, -ring);
        QVector<QPoint> edge;
        for (int i = r.left(); i <= r.right(); ++i)
            edge << QPoint(i, r.top()) << QPoint(i, r.bottom());
        for (int j = r.top(); j <= r.bottom(); ++j)
            edge << QPoint(r.left(), j) << QPoint(r.right(), j);
        for (const QPoint &p : edge)
            if ((image.pixel(p) == colour) != (ring < 2))
                return false;
    }
    return true;
}

// Whether the two renderings differ only inside the squares of the given cells.
bool sameOutside(const QImage &a, QImage b, const QVector<QPoint> &cells)
{
    QPainter painter(&b);
    for (const QPoint &c : cells)
        painter.drawImage(squareRect(c.x(), c.y()).topLeft(), a.copy(squareRect(c.x(), c.y())));
    painter.end();
    return a == b;
}
} // namespace

class TestBoardView : public QObject
{
    Q_OBJECT

private:
    GameController *controller = GameController::instance();
    ZarvikBoard *board = nullptr;
    QWidget *window = nullptr;
    BoardWidget *view = nullptr;
    FakeDisplay display;
    PaintCounter paints;

    QImage render() { return paints.render(view, untouched); }

    void press(int x, int y) { QTest::mousePress(view, Qt::LeftButton, {}, QPoint(x, y)); }
    void pressCell(int x, int y) { press(margin + x * cell + cell / 2, margin + y * cell + cell / 2); }

    void setTurn(int turn, int type = Human)
    {
        controller->turn = turn;
        controller->player1Type = type;
        controller->player2Type = type;
    }

private slots:
    void init()
    {
        board = new ZarvikBoard;
        window = new QWidget;
        window->resize(737, 737);
        view = new BoardWidget(window, board, cell);
        view->installEventFilter(&paints);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        display.view = view;
        display.moves.clear();
        controller->board = board;
        controller->mainWindow = &display;
        controller->player1 = new HumanPlayer(board, 0);
        controller->player2 = new HumanPlayer(board, 1);
        setTurn(0);
        paints.count = 0;
    }

    void cleanup()
    {
        delete controller->player1;
        delete controller->player2;
        controller->player1 = controller->player2 = nullptr;
        delete window;
        delete board;
    }

    void geometry_data()
    {
        QTest::addColumn<unsigned>("side");
        QTest::newRow("64") << 64u;
        QTest::newRow("32") << 32u;
    }
    void geometry()
    {
        QFETCH(unsigned, side);
        BoardWidget other(window, board, side);
        QCOMPARE(other.geometry(), QRect(10, 15, 8 * int(side) + 15, 8 * int(side) + 35));
        QImage image(other.size(), QImage::Format_RGB32);
        other.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        const QImage expected = picture("blackStoneOnWhite.bmp").scaled(int(side), int(side), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        QCOMPARE(image.copy(squareRect(0, 0, int(side))), expected);
    }

    void initialPositionPictures()
    {
        const QImage image = render();
        const QImage expected[2][3] = {
            {picture("LITEMARB.BMP"), picture("blackStoneOnWhite.bmp"), picture("redStoneOnWhite.bmp")},
            {picture("DARKMARB.BMP"), picture("blackStoneOnDark.bmp"), picture("redStoneOnDark.bmp")},
        };
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                const QImage &want = expected[(x + y) % 2][y < 2 ? 1 : y >= 6 ? 2 : 0];
                QVERIFY(!want.isNull());
                QVERIFY2(image.copy(squareRect(x, y)) == want, qPrintable(QString("square %1,%2").arg(x).arg(y)));
            }
        // A8 black on light, A1 red on dark, named explicitly.
        QCOMPARE(image.copy(squareRect(0, 0)), picture("blackStoneOnWhite.bmp"));
        QCOMPARE(image.copy(squareRect(0, 7)), picture("redStoneOnDark.bmp"));
    }

    void smallStonesAndUnknownCodes()
    {
        board->cells[2][2] = 1; // light
        board->cells[3][2] = 1; // dark
        board->cells[4][2] = 3; // light
        board->cells[5][2] = 3; // dark
        board->cells[2][3] = 5;
        board->cells[3][3] = -1;
        const QImage image = render();
        QCOMPARE(image.copy(squareRect(2, 2)), picture("smallBlackStoneOnWhite.bmp"));
        QCOMPARE(image.copy(squareRect(3, 2)), picture("smallBlackStoneOnDark.bmp"));
        QCOMPARE(image.copy(squareRect(4, 2)), picture("smallRedStoneOnWhite.bmp"));
        QCOMPARE(image.copy(squareRect(5, 2)), picture("smallRedStoneOnDark.bmp"));
        QImage bare(cell, cell, QImage::Format_RGB32);
        bare.fill(untouched);
        QCOMPARE(image.copy(squareRect(2, 3)), bare);
        QCOMPARE(image.copy(squareRect(3, 3)), bare);
    }

    // Row numbers at the left, half-way down each row; letters 15 px below the
    // board, starting at the middle of each column; nothing else in the margins.
    void labels()
    {
        // Sized in pixels, so that the screen and the test picture agree on it.
        QFont font = view->font();
        font.setPixelSize(13);
        view->setFont(font);
        QImage expected(view->size(), QImage::Format_RGB32);
        expected.fill(untouched);
        QPainter painter(&expected);
        painter.setPen(view->palette().color(view->foregroundRole()));
        painter.setFont(view->font());
        for (int i = 0; i < 8; ++i) {
            painter.drawText(QPointF(0, margin + i * cell + cell / 2), QString::number(8 - i));
            painter.drawText(QPointF(margin + i * cell + cell / 2, margin + 8 * cell + 15), QString(QChar('A' + i)));
        }
        painter.end();
        const QImage image = render();
        const QRect left(0, 0, margin, view->height());
        const QRect top(0, 0, view->width(), margin);
        const QRect bottom(0, margin + 8 * cell, view->width(), view->height() - margin - 8 * cell);
        QVERIFY(expected.copy(left) != QImage(left.size(), QImage::Format_RGB32)); // some text was drawn
        QCOMPARE(image.copy(left), expected.copy(left));
        QCOMPARE(image.copy(top), expected.copy(top));
        QCOMPARE(image.copy(bottom), expected.copy(bottom));
    }

    void selectionFramesStoneAndDestinations()
    {
        const QImage before = render();
        pressCell(1, 6);
        const QImage selected = render();
        QVERIFY(framed(selected, 1, 6, blue));
        for (int x : {0, 1, 2})
            QVERIFY(framed(selected, x, 5, green));
        QVERIFY(sameOutside(selected, before, {{1, 6}, {0, 5}, {1, 5}, {2, 5}}));
        pressCell(1, 6);
        QCOMPARE(render(), before);
    }

    void stoneWithoutMovesHasOnlyBlueFrame()
    {
        board->cells[0][5] = 4;
        board->cells[1][5] = 4;
        const QImage before = render();
        pressCell(0, 6);
        const QImage selected = render();
        QVERIFY(framed(selected, 0, 6, blue));
        QVERIFY(sameOutside(selected, before, {{0, 6}}));
        pressCell(3, 3); // not a destination: selection stays
        QVERIFY(framed(render(), 0, 6, blue));
    }

    void pressesOutsideTheSquaresAreIgnored()
    {
        const QImage before = render();
        const int row = margin + 6 * cell + 10;
        const int column = margin + 6 * cell + 10;
        press(14, row);
        press(margin + 8 * cell, row);
        press(column, 14);
        press(column, margin + 8 * cell);
        QCOMPARE(paints.count, 0);
        QCOMPARE(render(), before);
        press(15, row); // first pixel of column 0
        QVERIFY(framed(render(), 0, 6, blue));
        press(margin + 8 * cell - 1, margin + 8 * cell - 1); // last pixel of H1
        QVERIFY(framed(render(), 0, 6, blue));
    }

    void emptyOrEnemyCellSelectsNothing()
    {
        const QImage before = render();
        pressCell(3, 3);
        QCOMPARE(paints.count, 1); // still repainted
        QCOMPARE(render(), before);
        pressCell(0, 1); // black stone, red to move
        QCOMPARE(render(), before);
        pressCell(0, 2); // would be its destination
        QCOMPARE(board->cells[0][1], int(ZarvikBoard::blackStone));
        QCOMPARE(board->cells[0][2], 0);
        QCOMPARE(render(), before);
    }

    void anotherOwnStoneKeepsTheFirstSelection()
    {
        pressCell(1, 6);
        pressCell(3, 6);
        const QImage image = render();
        QVERIFY(framed(image, 1, 6, blue));
        QVERIFY(!framed(image, 3, 6, blue));
        pressCell(1, 5);
        QCOMPARE(board->cells[1][5], int(ZarvikBoard::redStone));
        QCOMPARE(board->cells[1][6], 0);
        QCOMPARE(board->cells[3][6], int(ZarvikBoard::redStone));
    }

    void completedMoveReachesTheController_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::newRow("red diagonal") << 0 << QPoint(1, 6) << QPoint(2, 5);
        QTest::newRow("black straight") << 1 << QPoint(4, 1) << QPoint(4, 2);
    }
    void completedMoveReachesTheController()
    {
        QFETCH(int, side);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        setTurn(side);
        const int stone = board->cells[from.x()][from.y()];
        pressCell(from.x(), from.y());
        pressCell(to.x(), to.y());
        QCOMPARE(board->cells[to.x()][to.y()], stone);
        QCOMPARE(board->cells[from.x()][from.y()], 0);
        const Move played(from.x(), from.y(), to.x(), to.y());
        QCOMPARE(board->lastMove, played);
        QCOMPARE(display.moves, QList<Move>{played});
        QCOMPARE(controller->turn, 1 - side);
        // The selection went with the move: no frame is left anywhere.
        const QImage after = render();
        const bool dark = (from.x() + from.y()) % 2;
        QCOMPARE(after.copy(squareRect(from.x(), from.y())), picture(dark ? "DARKMARB.BMP" : "LITEMARB.BMP"));
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                QVERIFY(!framed(after, x, y, blue));
                QVERIFY(!framed(after, x, y, green));
            }
    }

    void pressesIgnoredUnlessAPersonIsToMove_data()
    {
        QTest::addColumn<int>("turn");
        QTest::addColumn<int>("type");
        QTest::newRow("no game") << 2 << int(Human);
        QTest::newRow("computer") << 0 << int(Cpu);
        QTest::newRow("network") << 0 << int(Socket);
    }
    void pressesIgnoredUnlessAPersonIsToMove()
    {
        QFETCH(int, turn);
        QFETCH(int, type);
        setTurn(turn, type);
        const QImage before = render();
        pressCell(1, 6);
        pressCell(1, 5);
        QCOMPARE(paints.count, 0);
        QCOMPARE(render(), before);
        QCOMPARE(board->cells[1][6], int(ZarvikBoard::redStone));
        QCOMPARE(board->cells[1][5], 0);
    }

    void pressesIgnoredWhileAPlayerIsMissing()
    {
        delete controller->player2;
        controller->player2 = nullptr;
        if (controller->acceptsHumanMove())
            QSKIP("this controller accepts moves before both players exist");
        pressCell(1, 6);
        pressCell(1, 5);
        QCOMPARE(paints.count, 0);
        QCOMPARE(board->cells[1][5], 0);
    }

    void staleSelectionNeverMovesTheWrongSide()
    {
        pressCell(1, 6);
        // A board loaded under the selection puts a black stone there.
        board->cells[1][6] = ZarvikBoard::blackStone;
        pressCell(2, 7);
        QCOMPARE(board->cells[2][7], int(ZarvikBoard::redStone));
        QCOMPARE(board->cells[1][6], int(ZarvikBoard::blackStone));
        QVERIFY(!framed(render(), 1, 6, blue));
    }

    void clearSelectionDropsIt()
    {
        const QImage before = render();
        pressCell(1, 6);
        view->clearSelection();
        QCOMPARE(render(), before);
        pressCell(1, 5); // now a first press on an empty cell
        QCOMPARE(board->cells[1][5], 0);
        QCOMPARE(board->cells[1][6], int(ZarvikBoard::redStone));
    }
};

QTEST_MAIN(TestBoardView)
#include "tst_boardview.moc"
