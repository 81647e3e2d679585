#include "TestBoards.h"

#include <QtTest>

#include <climits>
#include <csignal>
#include <sys/resource.h>

using namespace TestBoards;

namespace {

const QString blackRow = "2 2 2 2 2 2 2 2", emptyRow = "0 0 0 0 0 0 0 0", redRow = "4 4 4 4 4 4 4 4";
const QStringList initialRows = {blackRow, blackRow, emptyRow, emptyRow, emptyRow, emptyRow, redRow, redRow};

// The codes of each row, joined by single spaces.
QStringList gridRows(const Board &board)
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

// The rows given, then empty ones.
QStringList padded(QStringList rows)
{
    while (rows.size() < size)
        rows << emptyRow;
    return rows;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

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
        QCOMPARE(readAll(path), QByteArray("2 2 2 2 2 2 2 2 \n").repeated(2) + QByteArray("0 0 0 0 0 0 0 0 \n").repeated(4)
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
            QVERIFY(board.saveToFile(path) && loaded.loadFromFile(path));
            QCOMPARE(gridRows(loaded), gridRows(board));
        }
    }

    void loaderTolerance_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("rows");
        const QByteArray bare = QByteArray("2 2 2 2 2 2 2 2\n").repeated(2) + QByteArray("0 0 0 0 0 0 0 0\n").repeated(4)
                                + QByteArray("4 4 4 4 4 4 4 4\n").repeated(2);
        QTest::newRow("no trailing space") << bare << initialRows;
        QTest::newRow("several spaces") << QByteArray(bare).replace(' ', "   ").replace("\n", "  \n") << initialRows;
        QTest::newRow("crlf") << QByteArray(bare).replace("\n", "\r\n") << initialRows;
        QTest::newRow("tab is no separator") << QByteArray("2\t2 3 3 3 3 3 3 3\n7\t7 1\t 5\n")
                                             << padded({"0 3 3 3 3 3 3 3", "0 1 5 0 0 0 0 0"});
        QTest::newRow("short lines") << QByteArray("1 2 3\n4\n") << padded({"1 2 3 0 0 0 0 0", "4 0 0 0 0 0 0 0"});
        QTest::newRow("blank lines") << QByteArray("\n \n1 1\n") << padded({emptyRow, emptyRow, "1 1 0 0 0 0 0 0"});
        QTest::newRow("three lines") << bare.left(3 * 16) << padded({blackRow, blackRow, emptyRow});
        QTest::newRow("ten lines") << bare + "9 9 9 9 9 9 9 9\n9 9\n" << initialRows;
        QTest::newRow("ten numbers") << QByteArray("1 2 3 4 5 6 7 8 9 10\n") << padded({"1 2 3 4 5 6 7 8"});
        QTest::newRow("odd pieces") << QByteArray("x 2a -1 9 +3 007 2 2\n") << padded({"0 0 -1 9 3 7 2 2"});
        QTest::newRow("int limits") << QByteArray("2147483647 -2147483648 2147483648 1\n")
                                    << padded({"2147483647 -2147483648 0 1 0 0 0 0"});
        QTest::newRow("empty file") << QByteArray() << padded({});
    }
    void loaderTolerance()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(writeAll(dir.filePath("odd.brd"), content));
        ZarvikBoard board;
        fill(board, 7);
        QVERIFY(board.loadFromFile(dir.filePath("odd.brd")));
        QTEST(gridRows(board), "rows");
    }

    // A mistaken path must leave the board untouched; a path that cannot be
    // written is reported.
    void unusablePaths()
    {
        QTemporaryDir dir;
        ZarvikBoard board;
        const auto cells = board.cells;
        for (const QString &path : {dir.filePath("missing.brd"), dir.path()}) {
            QString error;
            QVERIFY(!board.loadFromFile(path, &error) && !error.isEmpty());
            QVERIFY(board.cells == cells);
        }
        for (const QString &path : {dir.filePath("no/such/dir.brd"), dir.path()}) {
            QString error;
            QVERIFY(!board.saveToFile(path, &error) && !error.isEmpty());
        }
        QVERIFY(!QFile::exists(dir.filePath("no")));
    }

    // A save that fails half-way (here on the file size limit) leaves the old file
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
        QVERIFY(!ok && !error.isEmpty());
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList("old.brd"));
    }

    void boardAndMoveText()
    {
        ZarvikBoard board;
        QCOMPARE(board.toText(), QString("2 ").repeated(16) + QString("0 ").repeated(32) + QString("4 ").repeated(16));
        position(board, "B8:9 A7:-3 H1:12");
        const QStringList codes = board.toText().split(' ');
        QVERIFY(codes.size() == 65 && codes[1] == "9" && codes[8] == "-3" && codes[63] == "12");
        QCOMPARE(Move(1, 6, 1, 5).toText(8, 8), QString("B2 - B3"));
        QCOMPARE(Move(0, 0, 7, 7).toText(8, 8), QString("A8 - H1"));
    }

    void parse()
    {
        const QList<int> b2b3 = {1, 6, 1, 5}, originOnly = {1, 6, -1, -1};
        const std::pair<QByteArray, QList<int>> accepted[] = {
            {"B2 - B3", b2b3}, {"B2-B3", b2b3}, {"B2B3", b2b3}, {"  B2--B3", b2b3}, {"B2 - B3\n", b2b3},
            {"B02 - B03", b2b3}, {"B" + QByteArray(40, '0') + "2 - B3", b2b3}, {"A8 - H1", {0, 0, 7, 7}},
            {"B2", originOnly}, {"B2 - ", originOnly}};
        for (const auto &a : accepted) {
            Move m;
            m.captured = 3;
            QVERIFY2(m.parse(a.first.constData(), 8, 8), a.first.constData());
            QCOMPARE(QList<int>({m.fromX, m.fromY, m.toX, m.toY, m.captured}), a.second + QList<int>{3});
        }
        const QByteArray refused[] = {"b2 - b3", "B2 - b3", "I2 - I3", "H2 - I3", "B9 - B8", "B1 - B0", "B2 - B",
                                      "B - B3", "", "   ", "B2\n", "A" + QByteArray(50, '9'),
                                      "A1 - A" + QByteArray(50, '7')};
        for (const QByteArray &text : refused) {
            Move m;
            QVERIFY2(!m.parse(text.constData(), 8, 8), text.constData());
        }
    }
};

QTEST_APPLESS_MAIN(TestFormats)
#include "tst_formats.moc"
