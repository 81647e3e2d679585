#include "TestBoards.h"

#include <QtTest>

#include <climits>
#include <csignal>
#include <sys/resource.h>

using namespace TestBoards;

static const QString blackRow = "2 2 2 2 2 2 2 2";
static const QString emptyRow = "0 0 0 0 0 0 0 0";
static const QString redRow = "4 4 4 4 4 4 4 4";
static const QStringList initialRows = {blackRow, blackRow, emptyRow, emptyRow,
                                        emptyRow, emptyRow, redRow, redRow};

// The codes of each row, separated by single spaces.
static QStringList gridRows(const Board &board)
{
    QStringList rows;
    for (int y = 0; y < size; ++y) {
        QStringList codes;
        for (int x = 0; x < size; ++x)
            codes << QString::number(board.cells[x][y]);
        rows << codes.join(' ');
    }
    return rows;
}

static QStringList padded(QStringList rows)
{
    while (rows.size() < size)
        rows << emptyRow;
    return rows;
}

static QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

static bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

class TestFormats : public QObject
{
    Q_OBJECT

private slots:
    void saveAndLoadInitialPosition()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("initial.brd");
        ZarvikBoard board;
        QVERIFY(board.saveToFile(path));
        QCOMPARE(readAll(path), QByteArray("2 2 2 2 2 2 2 2 \n").repeated(2)
                                    + QByteArray("0 0 0 0 0 0 0 0 \n").repeated(4)
                                    + QByteArray("4 4 4 4 4 4 4 4 \n").repeated(2));
        fill(board, 7);
        QVERIFY(board.loadFromFile(path));
        QCOMPARE(gridRows(board), initialRows);
    }

    void roundTripOfAnyCodes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("codes.brd");
        QRandomGenerator random(42);
        for (int round = 0; round < 30; ++round) {
            ZarvikBoard board, loaded;
            for (auto &column : board.cells)
                for (int &c : column)
                    c = round % 2 ? int(random.generate()) : random.bounded(-20, 20);
            board.cells[0][0] = INT_MIN;
            board.cells[7][7] = INT_MAX;
            QVERIFY(board.saveToFile(path));
            QVERIFY(loaded.loadFromFile(path));
            QCOMPARE(gridRows(loaded), gridRows(board));
        }
    }

    void loaderTolerance_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("rows");
        const QByteArray black = "2 2 2 2 2 2 2 2", empty = "0 0 0 0 0 0 0 0", red = "4 4 4 4 4 4 4 4";
        const QByteArray bare = (black + '\n').repeated(2) + (empty + '\n').repeated(4) + (red + '\n').repeated(2);
        QTest::newRow("no trailing space") << bare << initialRows;
        QTest::newRow("several spaces") << QByteArray(bare).replace(' ', "   ").replace("\n", "  \n")
                                        << initialRows;
        QTest::newRow("crlf") << QByteArray(bare).replace("\n", " \r\n") << initialRows;
        QTest::newRow("crlf, no trailing space") << QByteArray(bare).replace("\n", "\r\n") << initialRows;
        QTest::newRow("no final line break") << bare.chopped(1) << initialRows;
        QTest::newRow("tab is no separator") << QByteArray("2\t2 3 3 3 3 3 3 3\n7\t7 1\t 5\n")
                                             << padded({"0 3 3 3 3 3 3 3", "0 1 5 0 0 0 0 0"});
        QTest::newRow("short lines") << QByteArray("1 2 3\n4\n") << padded({"1 2 3 0 0 0 0 0", "4 0 0 0 0 0 0 0"});
        QTest::newRow("blank lines") << QByteArray("\n \n1 1\n") << padded({emptyRow, emptyRow, "1 1 0 0 0 0 0 0"});
        QTest::newRow("three lines") << bare.left(3 * 16) << padded({blackRow, blackRow, emptyRow});
        QTest::newRow("ten lines") << bare + "9 9 9 9 9 9 9 9\n9 9\n" << initialRows;
        QTest::newRow("ten numbers") << QByteArray("1 2 3 4 5 6 7 8 9 10\n") << padded({"1 2 3 4 5 6 7 8"});
        QTest::newRow("odd pieces") << QByteArray("x 2a -1 9 +3 007 2 2\n")
                                    << padded({"0 0 -1 9 3 7 2 2"});
        QTest::newRow("int limits") << QByteArray("2147483647 -2147483648 2147483648 1\n")
                                    << padded({"2147483647 -2147483648 0 1 0 0 0 0"});
        QTest::newRow("empty file") << QByteArray() << padded({});
    }
    void loaderTolerance()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString path = dir.filePath("odd.brd");
        QVERIFY(writeAll(path, content));
        ZarvikBoard board;
        fill(board, 7);
        QVERIFY(board.loadFromFile(path));
        QTEST(gridRows(board), "rows");
    }

    // The board must survive a mistaken path untouched.
    void loadFailureKeepsBoard()
    {
        QTemporaryDir dir;
        ZarvikBoard board;
        scatter(board, 5);
        const auto cells = board.cells;
        for (const QString &path : {dir.filePath("missing.brd"), dir.path()}) {
            QString error;
            QVERIFY(!board.loadFromFile(path, &error));
            QVERIFY(!error.isEmpty());
            QVERIFY(board.cells == cells);
            QVERIFY(!board.loadFromFile(path));
        }
    }

    void saveFailureIsReported()
    {
        QTemporaryDir dir;
        const ZarvikBoard board;
        for (const QString &path : {dir.filePath("no/such/dir.brd"), dir.path()}) {
            QString error;
            QVERIFY2(!board.saveToFile(path, &error), qPrintable(path));
            QVERIFY(!error.isEmpty());
        }
        QVERIFY(!QFile::exists(dir.filePath("no")));
    }

    // A save that fails half-way (here: the file size limit) must leave the old file
    // as it was and no stray file beside it.
    void failedSaveLeavesExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.brd");
        const QByteArray old = "previous content\n";
        QVERIFY(writeAll(path, old));
        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        rlimit small = saved;
        small.rlim_cur = 20;
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        QString error;
        const bool ok = ZarvikBoard().saveToFile(path, &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
        QVERIFY(!ok);
        QVERIFY(!error.isEmpty());
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList("old.brd"));
    }

    void boardText()
    {
        ZarvikBoard board;
        const QString text = board.toText();
        QCOMPARE(text, QString("2 ").repeated(16) + QString("0 ").repeated(32) + QString("4 ").repeated(16));
        QCOMPARE(text.size(), 128);
        position(board, "B8:9 A7:-3 H1:12");
        const QStringList codes = board.toText().split(' ');
        QCOMPARE(codes.size(), 65);
        QCOMPARE(codes[1], QString("9"));
        QCOMPARE(codes[8], QString("-3"));
        QCOMPARE(codes[63], QString("12"));
    }

    void moveText()
    {
        QCOMPARE(Move(1, 6, 1, 5).toText(8, 8), QString("B2 - B3"));
        QCOMPARE(Move(0, 0, 7, 7).toText(8, 8), QString("A8 - H1"));
    }

    void parseAccepts_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QList<int>>("cells");
        const QList<int> b2b3 = {1, 6, 1, 5};
        QTest::newRow("as written") << QByteArray("B2 - B3") << b2b3;
        QTest::newRow("no spaces") << QByteArray("B2-B3") << b2b3;
        QTest::newRow("no separator") << QByteArray("B2B3") << b2b3;
        QTest::newRow("leading spaces, double hyphen") << QByteArray("  B2--B3") << b2b3;
        QTest::newRow("line break after") << QByteArray("B2 - B3\n") << b2b3;
        QTest::newRow("zeros before rows") << QByteArray("B02 - B03") << b2b3;
        QTest::newRow("many zeros") << QByteArray("B") + QByteArray(40, '0') + "2 - B3" << b2b3;
        QTest::newRow("corners") << QByteArray("A8 - H1") << QList<int>({0, 0, 7, 7});
        QTest::newRow("origin alone") << QByteArray("B2") << QList<int>({1, 6, -1, -1});
        QTest::newRow("origin and separator") << QByteArray("B2 - ") << QList<int>({1, 6, -1, -1});
    }
    void parseAccepts()
    {
        QFETCH(QByteArray, text);
        Move m;
        m.captured = 3;
        QVERIFY(m.parse(text.constData(), 8, 8));
        QTEST(QList<int>({m.fromX, m.fromY, m.toX, m.toY}), "cells");
        QCOMPARE(m.captured, 3);
    }

    void parseRejects_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("lower case") << QByteArray("b2 - b3");
        QTest::newRow("lower case destination") << QByteArray("B2 - b3");
        QTest::newRow("column I") << QByteArray("I2 - I3");
        QTest::newRow("destination column I") << QByteArray("H2 - I3");
        QTest::newRow("row 9") << QByteArray("B9 - B8");
        QTest::newRow("row 0") << QByteArray("B1 - B0");
        QTest::newRow("destination without row") << QByteArray("B2 - B");
        QTest::newRow("origin without row") << QByteArray("B - B3");
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("spaces only") << QByteArray("   ");
        QTest::newRow("origin then line break") << QByteArray("B2\n");
        QTest::newRow("huge origin row") << QByteArray("A") + QByteArray(50, '9');
        QTest::newRow("huge destination row") << QByteArray("A1 - A") + QByteArray(50, '7');
    }
    void parseRejects()
    {
        QFETCH(QByteArray, text);
        Move m;
        QVERIFY(!m.parse(text.constData(), 8, 8));
    }
};

QTEST_APPLESS_MAIN(TestFormats)
#include "tst_formats.moc"
