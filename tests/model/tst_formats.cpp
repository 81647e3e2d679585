#include "TestBoards.h"

#include <csignal>
#include <sys/resource.h>

const QString initialCodes = QString("2 ").repeated(16) + QString("0 ").repeated(32) + QString("4 ").repeated(16);

QByteArray readAll(const QString &path) { QFile f(path); return f.open(QFile::ReadOnly) ? f.readAll() : "?"; }
bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QFile::WriteOnly) && file.write(bytes) == bytes.size();
}

class TestFormats : public QObject
{
    Q_OBJECT

private slots:
    // The bytes of the initial position, read back; a file that cannot be read leaves
    // the board as it was.
    void saveAndLoad()
    {
        QTemporaryDir dir;
        ZarvikBoard board;
        QVERIFY(board.saveToFile(dir.filePath("initial.brd")));
        QCOMPARE(readAll(dir.filePath("initial.brd")), QByteArray("2 2 2 2 2 2 2 2 \n").repeated(2)
                     + QByteArray("0 0 0 0 0 0 0 0 \n").repeated(4) + QByteArray("4 4 4 4 4 4 4 4 \n").repeated(2));
        position(board, "A1:-7 H8:2147483647");
        QVERIFY(board.loadFromFile(dir.filePath("initial.brd")) && board.toText() == initialCodes);
        QVERIFY(!board.loadFromFile(dir.filePath("missing.brd")));
        QCOMPARE(board.toText(), initialCodes);
    }

    // Missing cells are empty; pieces are split at spaces only, and read as numbers.
    void loaderTolerance()
    {
        const QByteArray bare = ZarvikBoard().fileText().toLatin1().replace(" \n", "\n");
        const std::pair<QByteArray, QString> cases[] = {{bare, initialCodes}, // no trailing space
            {QByteArray(bare).replace(' ', "   ").replace("\n", "  \n"), initialCodes},
            {QByteArray(bare).replace("\n", "\r\n"), initialCodes}, {bare + "9 9 9 9 9 9 9 9\n9 9\n", initialCodes},
            {bare.left(3 * 16), QString("2 ").repeated(16)}, {"1 2 3\n4\n", "1 2 3 0 0 0 0 0 4 "},
            {"2\t2 3 3 3 3 3 3 3\n7\t7 1\t 5\n", "0 3 3 3 3 3 3 3 0 1 5 "},
            {"\n \n1 1\n", QString("0 ").repeated(16) + "1 1 "},
            {"1 2 3 4 5 6 7 8 9 10\n", "1 2 3 4 5 6 7 8 "}, {"x 2a -1 9 +3 007 2 2\n", "0 0 -1 9 3 7 2 2 "},
            {"2147483647 -2147483648 2147483648 1\n", "2147483647 -2147483648 0 1 "}, {"", ""}};
        QTemporaryDir dir;
        ZarvikBoard board;
        for (const auto &c : cases) {
            position(board, "A8:7 D4:7 H1:7");
            QVERIFY(writeAll(dir.filePath("odd.brd"), c.first) && board.loadFromFile(dir.filePath("odd.brd")));
            QCOMPARE(board.toText(), c.second + QString("0 ").repeated(64 - c.second.count(' ')));
        }
    }

    // A save that fails half-way (here on the file size limit) leaves the old file
    // as it was and no stray file beside it.
    void failedSaveLeavesExistingFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("old.brd");
        rlimit normal{};
        QVERIFY(writeAll(path, "old content\n") && getrlimit(RLIMIT_FSIZE, &normal) == 0);
        const rlimit small{20, normal.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN); // so that exceeding the limit is an error, not the end
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const bool saved = ZarvikBoard().saveToFile(path);
        setrlimit(RLIMIT_FSIZE, &normal);
        QVERIFY(!saved && readAll(path) == "old content\n");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList("old.brd"));
    }

    void parse()
    {
        const auto parsed = [](const QByteArray &text) {
            Move m;
            m.captured = 3; // left alone
            return m.parse(text, 8, 8) ? QList<int>{m.fromX, m.fromY, m.toX, m.toY, m.captured} : QList<int>();
        };
        const QList<int> b2b3 = {1, 6, 1, 5, 3}, origin = {1, 6, -1, -1, 3}, a8h1 = {0, 0, 7, 7, 3};
        for (const QByteArray &text : QByteArrayList{"B2 - B3", "B2-B3", "B2B3", "  B2--B3", "B2 - B3\n", "B02 - B03",
                                                     "B" + QByteArray(40, '0') + "2 - B3"})
            QVERIFY2(parsed(text) == b2b3, text.constData());
        QVERIFY(parsed("A8 - H1") == a8h1 && parsed("B2") == origin && parsed("B2 - ") == origin);
        for (const QByteArray &text : QByteArrayList{"b2 - b3", "B2 - b3", "I2 - I3", "H2 - I3", "B9 - B8", "B1 - B0",
                 "B2 - B", "B - B3", "", "   ", "B2\n", "A" + QByteArray(50, '9'), "A1 - A" + QByteArray(50, '7')})
            QVERIFY2(parsed(text).isEmpty(), text.constData());
    }
};

QTEST_APPLESS_MAIN(TestFormats)
#include "tst_formats.moc"
