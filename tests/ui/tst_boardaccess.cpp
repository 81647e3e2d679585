// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardWidget.h"
#include "ZarvikBoard.h"

#include <QAccessible>
#include <QtTest>

class TestBoardAccess : public QObject
{
    Q_OBJECT

    GameModel game;
    BoardWidget view{nullptr, &game, 64};
    QAccessibleInterface *board = nullptr;

    QAccessibleTableInterface *table() const { return board->tableInterface(); }
    // The cell drawn at the square named, unflipped: "E2" is row 6, column 4.
    QAccessibleInterface *cell(const char *name) const { return table()->cellAt('8' - name[1], name[0] - 'A'); }
    QString nameOf(const char *square) const { return cell(square)->text(QAccessible::Name); }
    QString marksOf(const char *square) const { return cell(square)->text(QAccessible::Description); }
    void press(const char *square)
    {
        const QRect at = cell(square)->rect();
        QTest::mouseClick(&view, Qt::LeftButton, {}, view.mapFromGlobal(at.center()));
    }

private slots:
    void initTestCase()
    {
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        board = QAccessible::queryAccessibleInterface(&view);
        QVERIFY(board);
    }

    void init()
    {
        game.reset(ZarvikBoard(), Side::Red);
        view.setInputSide(Side::Red);
        view.setFlipped(false);
        view.clearHint();
    }

    // A table of eight rows and columns named by their numbers and letters, whose 64
    // cells tell their square and stone; flipped, the cells follow the drawing.
    void boardIsATable()
    {
        QCOMPARE(board->role(), QAccessible::Table);
        QCOMPARE(board->text(QAccessible::Name), QString("Plateau"));
        QCOMPARE(board->childCount(), 64);
        QVERIFY(table());
        QCOMPARE(table()->rowCount() * 10 + table()->columnCount(), 88);
        QCOMPARE(table()->rowDescription(0) + table()->columnDescription(0), QString("8A"));
        QCOMPARE(nameOf("E2"), QString("E2, pierre rouge"));
        QCOMPARE(nameOf("E4"), QString("E4, vide"));
        QCOMPARE(nameOf("B7"), QString("B7, pierre noire"));
        QAccessibleInterface *e2 = cell("E2");
        QCOMPARE(e2->role(), QAccessible::Cell);
        QCOMPARE(e2->parent(), board);
        QCOMPARE(board->indexOfChild(e2), 6 * 8 + 4);
        QCOMPARE(board->child(6 * 8 + 4), e2);
        QCOMPARE(e2->tableCellInterface()->rowIndex() * 10 + e2->tableCellInterface()->columnIndex(), 64);
        QCOMPARE(board->childAt(e2->rect().center().x(), e2->rect().center().y()), e2);
        ZarvikBoard small;
        position(small);
        game.reset(small, Side::Red);
        QCOMPARE(nameOf("A1") + " / " + nameOf("H8"), QString("A1, petite pierre rouge / H8, petite pierre noire"));
        view.setFlipped(true);
        QCOMPARE(table()->cellAt(0, 7)->text(QAccessible::Name), QString("A1, petite pierre rouge"));
        QCOMPARE(table()->rowDescription(0) + table()->columnDescription(0), QString("1H"));
    }

    // The square under the keyboard cursor is the focused cell. (Qt passes on the
    // focus events that tell each step only while assistive technology listens,
    // which the headless platform never does: what they point to is checked.)
    void focusFollowsTheCursor()
    {
        view.setFocus();
        QTRY_VERIFY(view.hasFocus());
        QCOMPARE(board->focusChild(), cell("A1"));
        QTest::keyClick(&view, Qt::Key_Up);
        QTest::keyClick(&view, Qt::Key_Right);
        QCOMPARE(board->focusChild()->text(QAccessible::Name), QString("B2, pierre rouge"));
        QVERIFY(board->focusChild()->state().focused && !cell("B1")->state().focused);
        view.clearFocus();
        QVERIFY(!board->focusChild());
    }

    // The marks drawn on the squares are also their descriptions.
    void marksAreTold()
    {
        press("B2");
        QVERIFY(cell("B2")->state().selected && !cell("C2")->state().selected);
        QCOMPARE(table()->selectedCellCount(), 1);
        QCOMPARE(marksOf("B2") + " / " + marksOf("C3") + " / " + marksOf("D3"), QString("pierre choisie / destination possible / "));
        QVERIFY(game.play(Move(1, 6, 1, 5)));
        view.showHint(Move(6, 1, 6, 2));
        QCOMPARE(marksOf("B2") + " / " + marksOf("G7"), QString("dernier coup / coup conseillé"));
    }

    // A move played, a capture or a pass is told as the board's new description; the
    // cursor moved back in a replay tells the move then shown.
    void movesAreAnnounced()
    {
        ZarvikBoard start;
        position(start);
        start.cells[3][4] = Piece::redStone;   // D4
        start.cells[4][3] = Piece::blackStone; // E5
        start.cells[7][3] = Piece::blackStone; // H5
        game.reset(start, Side::Red);
        QVERIFY(game.play(Move(3, 4, 4, 3)) && game.play(Move(7, 3, 7, 4)));
        QCOMPARE(board->text(QAccessible::Description), QString("Noir joue H5 - H4"));
        game.setCursor(1);
        QCOMPARE(board->text(QAccessible::Description), QString("Rouge joue D4 - E5 et prend"));
        game.setCursor(0);
        QCOMPARE(board->text(QAccessible::Description), QString());
        start.cells[0][7] = start.cells[3][4] = Piece::empty;
        game.reset(start, Side::Red);
        QVERIFY(game.play(GameRecord::pass));
        QCOMPARE(board->text(QAccessible::Description), QString("Rouge passe"));
    }

private:
    // Small stones in the corners A1 (red's picture) and H8 (black's), nothing else.
    static void position(Board &board)
    {
        board.cells.assign(8, std::vector<int>(8, Piece::empty));
        board.cells[0][7] = Piece::smallRedStone;
        board.cells[7][0] = Piece::smallBlackStone;
    }
};

QTEST_MAIN(TestBoardAccess)
#include "tst_boardaccess.moc"
