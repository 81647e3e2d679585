// SPDX-License-Identifier: GPL-3.0-or-later
// How a remote player's bytes are cut into lines, arriving in pieces of any size,
// and the bound on what is held of one line.
#include "LineFramer.h"

#include <QBuffer>
#include <QtTest>

namespace {

// A line of the longest size: the move padded with spaces, which the parser ignores.
const QByteArray longest = QByteArray("B2 - B3").leftJustified(LineFramer::maxLineBytes - 1, ' ') + '\n';

} // namespace

class TestLineFramer : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        arrived.clear();
        device.setBuffer(&arrived);
        QVERIFY(device.open(QIODevice::ReadOnly));
        framer = LineFramer();
        log.clear();
    }

    void cleanup()
    {
        device.close();
    }

    void bound_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("longest") << longest << longest;
        QTest::newRow("one byte more") << " " + longest << QByteArray("too long");
        QTest::newRow("5000 bytes more") << QByteArray(5000, ' ') + longest << QByteArray("too long");
    }
    // A line past the limit is reported once and the rest of it dropped; the line
    // after it comes out whole.
    void bound()
    {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, expected);
        arrive(line + "C2 - C3\n");
        readAll();
        QCOMPARE(log, (QByteArrayList{expected, "C2 - C3\n"}));
    }

    // A fragment without line feed is kept up to the limit, not past it.
    void fragmentBound()
    {
        arrive(longest.chopped(1) + ' ');
        readAll();
        QVERIFY(log.isEmpty());
        QCOMPARE(framer.takeFragment(), longest.chopped(1) + ' ');
        arrive(longest.chopped(1) + "  ");
        readAll();
        QCOMPARE(log, QByteArrayList{"too long"});
        QVERIFY(!framer.holdsFragment());
    }

    // Whatever the cuts, the same lines come out in order, each once, and the bytes
    // after a line wait in the device until the next read.
    void everySplitGivesTheSameLines()
    {
        const QByteArray stream = "B2 - B3\nC2 - C3\r\n\nA7 - A6";
        for (int cut = 0; cut <= stream.size(); ++cut) {
            init();
            arrive(stream.left(cut));
            readAll();
            arrive(stream.mid(cut));
            readAll();
            QCOMPARE(log, (QByteArrayList{"B2 - B3\n", "C2 - C3\r\n", "\n"}));
            QCOMPARE(framer.takeFragment(), QByteArray("A7 - A6"));
            QVERIFY(!framer.holdsFragment());
            cleanup();
        }
        init();
        arrive(stream);
        QByteArray line;
        QCOMPARE(framer.read(device, line), LineFramer::Piece::line);
        QCOMPARE(device.bytesAvailable(), stream.size() - 8);
    }

    // A sender that is gone leaves nothing of its line behind, not even a line
    // being dropped.
    void clearForgetsTheLineUnderWay()
    {
        arrive(QByteArray(LineFramer::maxLineBytes + 1, ' '));
        readAll();
        framer.clear();
        arrive("B2 - B3\n");
        readAll();
        QCOMPARE(log, (QByteArrayList{"too long", "B2 - B3\n"}));
    }

private:
    void arrive(const QByteArray &bytes)
    {
        arrived.append(bytes);
    }

    // Reads every piece there is, noting the lines and the lines too long.
    void readAll()
    {
        QByteArray line;
        for (LineFramer::Piece piece; (piece = framer.read(device, line)) != LineFramer::Piece::none;) {
            if (piece == LineFramer::Piece::line)
                log << line;
            else if (piece == LineFramer::Piece::tooLong)
                log << "too long";
        }
    }

    QByteArray arrived;
    QBuffer device;
    LineFramer framer;
    QByteArrayList log;
};

QTEST_APPLESS_MAIN(TestLineFramer)
#include "tst_lineframer.moc"
