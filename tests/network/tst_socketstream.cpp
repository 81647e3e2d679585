// How the network player cuts the peer's byte stream into lines: split and joined
// lines, fragments without line feed, over-long lines, binary bytes, and slots that
// re-enter or destroy the player while it handles a line.
#include "LoopbackConnection.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QRandomGenerator>
#include <QtTest>

#include <functional>

namespace {

const Move redOpening(1, 6, 1, 5); // B2 - B3
const Move secondRedStep(2, 6, 2, 5); // C2 - C3

// Lines made of pieces of move texts and stray bytes, so that some are legal red
// moves of the initial position and most are not.
QByteArray fuzzedLines(int lines, quint32 seed)
{
    const QList<QByteArray> pieces = {
        "A2", "B2", "C2", "H2", "A3", "B3", "C3", "G3", "B7", "B6", "I2", "b2", "2",
        " ", " ", "-", "--", "\r", QByteArray(1, '\0'), "\xff", "\x01",
    };
    QRandomGenerator random(seed);
    QByteArray bytes;
    for (int i = 0; i < lines; ++i) {
        const int count = random.bounded(6);
        for (int k = 0; k < count; ++k)
            bytes += pieces.at(random.bounded(pieces.size()));
        bytes += '\n';
    }
    return bytes;
}

} // namespace

class TestSocketStream : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        connection.reset(new LoopbackConnection);
        QVERIFY(connection->open());
        board.resetToInitial();
        board.lastMove = Move();
        start = boardMessage("1 ", board);
    }
    void cleanup() { connection.reset(); }

    void lineSentByteByByte()
    {
        SocketPlayer player(&board, 0, 100000, connection->accepted);
        // Long enough that no pause between two bytes can end the line early.
        player.fragmentWaitMs = 60000;
        QSignalSpy moves(&player, SIGNAL(MoveReceived()));
        player.StartGame();
        const QByteArray line = "B2 - B3\n";
        for (int i = 0; i < line.size() - 1; ++i) {
            connection->send(line.mid(i, 1));
            QTRY_COMPARE_WITH_TIMEOUT(player.pendingLine.size(), i + 1, patience);
            QCOMPARE(moves.count(), 0);
        }
        connection->send("\n");
        QVERIFY(moves.wait(patience));
        QCOMPARE(*player.TakeMove(), redOpening);
        QVERIFY(player.pendingLine.isEmpty());
        expectExactly(player, start);
    }

    void joinedLinesHandledInOrder()
    {
        SocketPlayer player(&board, 0, 100000, connection->accepted);
        QSignalSpy moves(&player, SIGNAL(MoveReceived()));
        player.StartGame();
        // Refused, taken, then out of turn since the clock has stopped.
        connection->send("b2 - b3\nB2 - B3\nC2 - C3\n");
        QVERIFY(moves.wait(patience));
        QTRY_COMPARE_WITH_TIMEOUT(connection->received, start + "44", patience);
        QCOMPARE(moves.count(), 1);
        QCOMPARE(*player.TakeMove(), redOpening);
    }

    void fragmentIsLineAfterQuietTime()
    {
        SocketPlayer player(&board, 0, 100000, connection->accepted);
        QSignalSpy moves(&player, SIGNAL(MoveReceived()));
        player.StartGame();
        QElapsedTimer clock;
        clock.start();
        connection->send("B2 - B3");
        QTRY_COMPARE_WITH_TIMEOUT(player.pendingLine.size(), 7, patience);
        QCOMPARE(moves.count(), 0);
        QVERIFY(moves.wait(patience));
        // Timers may fire slightly early; well below the wait is a fault.
        QVERIFY(clock.elapsed() >= 150);
        QCOMPARE(*player.TakeMove(), redOpening);
        expectExactly(player, start);
    }

    void lineLengthLimit_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("1022 bytes") << 1022 << true;
        QTest::newRow("1023 bytes") << 1023 << false;
        QTest::newRow("2000 bytes") << 2000 << false;
    }
    void lineLengthLimit()
    {
        QFETCH(int, length);
        QFETCH(bool, accepted);
        SocketPlayer player(&board, 0, 100000, connection->accepted);
        QSignalSpy moves(&player, SIGNAL(MoveReceived()));
        player.StartGame();
        // A legal move padded with spaces, which the parser ignores after it.
        const QByteArray line = QByteArray("B2 - B3").leftJustified(length - 1, ' ') + '\n';
        connection->send(line);
        if (!accepted)
            connection->send("C2 - C3\n");
        QVERIFY(moves.wait(patience));
        QCOMPARE(*player.TakeMove(), accepted ? redOpening : secondRedStep);
        expectExactly(player, accepted ? start : start + "4");
    }

    void endlessLineIsDroppedInBoundedBuffers()
    {
        int mostBuffered = 0;
        int longestPending = 0;
        // Connected before the player's slot: sees what the socket holds unread.
        connect(connection->accepted, &QTcpSocket::readyRead, this,
                [&] { mostBuffered = qMax(mostBuffered, int(connection->accepted->bytesAvailable())); });
        SocketPlayer player(&board, 0, 100000, connection->accepted);
        connect(connection->accepted, &QTcpSocket::readyRead, this,
                [&] { longestPending = qMax(longestPending, player.pendingLine.size()); });
        QSignalSpy moves(&player, SIGNAL(MoveReceived()));
        player.StartGame();

        const QByteArray block(64 * 1024, 'A');
        for (int i = 0; i < 160; ++i)
            connection->peer.write(block);
        QTRY_COMPARE_WITH_TIMEOUT(connection->peer.bytesToWrite(), qint64(0), 120000);
        // Quiet for longer than a fragment's wait: the dropped bytes stay dropped.
        QTest::qWait(2 * player.fragmentWaitMs);
        connection->send("\nB2 - B3\n");
        QVERIFY(moves.wait(patience));
        expectExactly(player, start + "4");
        QCOMPARE(*player.TakeMove(), redOpening);
        QVERIFY(longestPending <= 1022);
        QVERIFY2(mostBuffered <= 64 * 1024, QByteArray::number(mostBuffered));
    }

    void nulEndsTheText_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("after the move") << QByteArray("B2 - B3\0\xff\x01 junk\n", 17) << true;
        QTest::newRow("inside the move") << QByteArray("B2\0 - B3\n", 9) << false;
        QTest::newRow("first byte") << QByteArray("\0B2 - B3\n", 9) << false;
        QTest::newRow("high bytes") << QByteArray("\xff\xfe\x80\n") << false;
    }
    void nulEndsTheText()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, accepted);
        SocketPlayer player(&board, 0, 100000, connection->accepted);
        QSignalSpy moves(&player, SIGNAL(MoveReceived()));
        player.StartGame();
        connection->send(line);
        if (accepted)
            QVERIFY(moves.wait(patience));
        else
            QTRY_COMPARE_WITH_TIMEOUT(connection->received, start + "4", patience);
        expectExactly(player, accepted ? start : start + "4");
        QCOMPARE(moves.count(), accepted ? 1 : 0);
    }

    // Every line gets exactly one answer, and a move is only ever a legal one of
    // this side in its turn. Each move is answered by asking for the next one.
    void fuzzedLinesNeverGiveIllegalMove()
    {
        SocketPlayer player(&board, 0, 100000, connection->accepted);
        int moves = 0;
        bool allLegal = true;
        connect(&player, &SocketPlayer::MoveReceived, this, [&] {
            ++moves;
            allLegal = allLegal && board.isLegal(*player.TakeMove(), 0);
            player.RequestMove();
        });
        player.StartGame();
        const QByteArray lines = fuzzedLines(600, 20240611);
        connection->send(lines);
        // Each move adds "3 A8 - A8" (9 bytes), each refusal "4".
        const int answers = lines.count('\n');
        QTRY_COMPARE_WITH_TIMEOUT(connection->received.size(), start.size() + answers + 8 * moves, patience);
        QVERIFY(moves > 0);
        QVERIFY(allLegal);
        QByteArray refusals = connection->received.mid(start.size());
        refusals.replace("3 A8 - A8", "");
        QCOMPARE(refusals, QByteArray(answers - moves, '4'));
    }

    // The controller asks for the next move from inside MoveReceived(); with a
    // nested event loop, as its message boxes run, bytes wait unread meanwhile.
    void requestInsideMoveSignal_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("nestedLoopMs");
        QTest::newRow("two lines") << QByteArray("B2 - B3\nC2 - C3\n") << 0;
        QTest::newRow("line and fragment, nested loop") << QByteArray("B2 - B3\nC2 - C3") << 500;
    }
    void requestInsideMoveSignal()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, nestedLoopMs);
        SocketPlayer player(&board, 0, 100000, connection->accepted);
        QList<Move> played;
        connect(&player, &SocketPlayer::MoveReceived, this, [&] {
            Move taken = *player.TakeMove();
            played << taken;
            if (nestedLoopMs > 0)
                QTest::qWait(nestedLoopMs);
            board.applyMove(taken);
            player.RequestMove();
        });
        player.StartGame();
        connection->send(bytes);
        QTRY_COMPARE_WITH_TIMEOUT(played.size(), 2, patience);
        QCOMPARE(played, QList<Move>({ redOpening, secondRedStep }));
        expectExactly(player, start + "3 B2 - B3" + "3 C2 - C3");
    }

    void destroyedInsideMoveSignal_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("line, then more lines") << QByteArray("B2 - B3\nC2 - C3\nxx\n");
        QTest::newRow("fragment") << QByteArray("B2 - B3");
    }
    void destroyedInsideMoveSignal()
    {
        QFETCH(QByteArray, bytes);
        auto *player = new SocketPlayer(&board, 0, 100000, connection->accepted);
        QPointer<SocketPlayer> watch(player);
        connect(player, &SocketPlayer::MoveReceived, this, [&] { delete player; });
        player->StartGame();
        connection->send(bytes);
        QTRY_VERIFY_WITH_TIMEOUT(watch.isNull(), patience);
        QTRY_COMPARE_WITH_TIMEOUT(connection->peer.state(), QAbstractSocket::UnconnectedState, patience);
        QCOMPARE(connection->received, start);
    }

    void disconnectionDropsUnfinishedLine()
    {
        SocketPlayer player(&board, 0, 100000, connection->accepted);
        QSignalSpy moves(&player, SIGNAL(MoveReceived()));
        QSignalSpy lost(&player, SIGNAL(DisconnectedSocket()));
        player.StartGame();
        connection->send("B2 - B3");
        connection->peer.disconnectFromHost();
        QVERIFY(lost.wait(patience));
        QVERIFY(player.pendingLine.isEmpty());
        QVERIFY(!player.fragmentTimer.isActive());
        QCOMPARE(moves.count(), 0);
    }

private:
    // Checks that the peer got exactly expected: a marker message sent now comes
    // after anything sent earlier.
    void expectExactly(SocketPlayer &player, const QByteArray &expected)
    {
        player.SendFinalMove(Move(0, 0, 0, 0));
        QTRY_COMPARE_WITH_TIMEOUT(connection->received, expected + "5 A8 - A8", patience);
    }

    ZarvikBoard board;
    QScopedPointer<LoopbackConnection> connection;
    QByteArray start;
};

QTEST_GUILESS_MAIN(TestSocketStream)
#include "tst_socketstream.moc"
