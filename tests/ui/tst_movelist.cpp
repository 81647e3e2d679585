// SPDX-License-Identifier: GPL-3.0-or-later
#include "MoveListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>

class TestMoveList : public QObject
{
    Q_OBJECT

    GameModel game;
    MoveListModel list{&game};
    QAbstractItemModelTester tester{&list, QAbstractItemModelTester::FailureReportingMode::QtTest};
    QSignalSpy inserted{&list, &QAbstractItemModel::rowsInserted};
    QSignalSpy removed{&list, &QAbstractItemModel::rowsRemoved};
    QSignalSpy resets{&list, &QAbstractItemModel::modelReset};
    QSignalSpy current{&list, &MoveListModel::currentRowChanged};
    QSignalSpy changed{&list, &QAbstractItemModel::dataChanged};

    // Plays the plies written "D4 - E5|--", "--" a pass.
    bool play(const QString &plies)
    {
        for (const QString &text : plies.split('|')) {
            Move move = GameRecord::pass;
            if (text != "--" && !move.parse(text.toLatin1().constData(), 8, 8))
                return false;
            if (!game.play(move))
                return false;
        }
        return true;
    }

    QString texts() const
    {
        QStringList rows;
        for (int row = 0; row < list.rowCount(); ++row)
            rows << list.index(row).data().toString();
        return rows.join('|');
    }

    // How a row looks, its text aside: its colour, font, what it tells a screen
    // reader and its tip.
    QVariantList look(int row) const
    {
        const QModelIndex at = list.index(row);
        const QString text = at.data().toString();
        const QVariant font = at.data(Qt::FontRole);
        return {at.data(Qt::ForegroundRole), font.isValid() ? font.value<QFont>().resolve(QFont()) : QFont(),
                at.data(Qt::AccessibleTextRole).toString().replace(text, "#"),
                at.data(Qt::ToolTipRole).toString().replace(text, "#")};
    }

    void clearSpies()
    {
        for (QSignalSpy *spy : {&inserted, &removed, &resets, &current, &changed})
            spy->clear();
    }

private slots:
    // Red's stone on D4 takes on E5 and runs up the E file; black's small stone
    // steps onto the bottom row, where it is stuck, and black passes.
    void init()
    {
        ZarvikBoard start;
        start.cells.assign(8, std::vector<int>(8, Piece::empty));
        start.cells[3][4] = Piece::redStone;        // D4
        start.cells[4][3] = Piece::blackStone;      // E5
        start.cells[7][6] = Piece::smallBlackStone; // H2
        game.reset(start, Side::Red);
        clearSpies();
        QVERIFY(play("D4 - E5|H2 - H1|E5 - E6|--|E6 - E7"));
    }

    // One row inserted per ply, numbered as in the records files, each in its side's
    // look, the last one current.
    void rowsTellThePlies()
    {
        QCOMPARE(texts(), QString("1. [D4 - E5]|2. H2 - H1|3. E5 - E6|4. --|5. E6 - E7"));
        QCOMPARE(inserted.size(), 5);
        for (const QList<QVariant> &rows : inserted)
            QCOMPARE(rows.at(1), rows.at(2));
        QVERIFY(look(0).mid(0, 3) == look(2).mid(0, 3) && look(1) == look(3) && look(0) != look(1));
        QCOMPARE(look(0).at(2), QVariant("#")); // a screen reader hears the text alone
        // The brackets of the capture are explained by its tip.
        QCOMPARE(look(0).at(3), QVariant("Prise"));
        QCOMPARE(look(2).at(3), QVariant(""));
        QCOMPARE(list.currentRow(), 4);
        QCOMPARE(current.last().at(0).toInt(), 4);
        QCOMPARE(MoveListModel(&game).rowCount(), 5); // a list made on a game under way
    }

    // Taken back, plies keep their text but differ from the plies shown in every
    // part of their look, and views are told; the current row follows the cursor
    // both ways.
    void takenBackPlies()
    {
        const QVariantList capture = look(0), red = look(2), black = look(3);
        changed.clear();
        game.setCursor(2);
        QCOMPARE(changed.size(), 1);
        QVERIFY(changed[0][0].toModelIndex().row() <= 2 && changed[0][1].toModelIndex().row() >= 4);
        QCOMPARE(texts(), QString("1. [D4 - E5]|2. H2 - H1|3. E5 - E6|4. --|5. E6 - E7"));
        QCOMPARE(list.currentRow(), 1);
        QCOMPARE(current.last().at(0).toInt(), 1);
        QCOMPARE(look(2), look(4));
        for (int part = 0; part < 4; ++part)
            QVERIFY2(look(2).at(part) != red.at(part) && look(3).at(part) != black.at(part), qPrintable(QString::number(part)));
        QVERIFY(look(1) == black && look(0) == capture);
        game.setCursor(0);
        QCOMPARE(look(0).at(3), QVariant("Prise, coup repris"));
        game.setCursor(4);
        QVERIFY(look(2) == red && look(3) == black && look(4) != red);
        QCOMPARE(list.currentRow(), 3);
        QVERIFY(removed.isEmpty() && resets.isEmpty());
    }

    // Another ply at the cursor replaces the plies after it: their rows go, the new
    // one comes in, shown; the rows before stay.
    void newPlyReplacesTheTakenBack()
    {
        game.setCursor(2);
        clearSpies();
        QVERIFY(play("E5 - D6"));
        QCOMPARE(texts(), QString("1. [D4 - E5]|2. H2 - H1|3. E5 - D6"));
        QCOMPARE(removed.size(), 1);
        QCOMPARE(removed.first().mid(1), QVariantList({2, 4}));
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(list.currentRow(), 2);
        QCOMPARE(look(2).mid(0, 3), look(0).mid(0, 3)); // red, shown (only the capture has a tip)
        game.setCursor(1);
        game.truncate();
        QCOMPARE(texts(), QString("1. [D4 - E5]"));
        QVERIFY(resets.isEmpty());
    }

    // A game loaded replaces every row at once, the last one current.
    void loadedGameResets()
    {
        const GameRecord played = game.record();
        game.reset(ZarvikBoard(), Side::Red);
        QCOMPARE(list.rowCount(), 0);
        QCOMPARE(list.currentRow(), -1);
        clearSpies();
        QVERIFY(game.load(played));
        QCOMPARE(resets.size(), 1);
        QCOMPARE(texts(), QString("1. [D4 - E5]|2. H2 - H1|3. E5 - E6|4. --|5. E6 - E7"));
        QCOMPARE(current.last().at(0).toInt(), 4);
    }
};

QTEST_MAIN(TestMoveList)
#include "tst_movelist.moc"
