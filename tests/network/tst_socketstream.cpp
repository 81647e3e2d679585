// SPDX-License-Identifier: GPL-3.0-or-later
// The network player against a peer on the loopback interface: its messages, how it
// cuts the peer's bytes into lines and judges them, its clock, and slots that re-enter
// it while it handles a line. Hang-ups, floods and garbage are the hostile tests'.
#include "LineFramer.h"
#include "SocketPlayer.h"
#include "ZarvikBoard.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

const Move redOpening(1, 6, 1, 5); // B2 - B3
const Move secondRedStep(2, 6, 2, 5); // C2 - C3
constexpr int patience = 20000; // for what only waits on the loopback interface

} // namespace

class TestSocketStream : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        board.resetToInitial();
        board.lastMove = Move();
        start = "1 " + board.toText().toLatin1();
        received.clear();
        peer.reset(new QTcpSocket);
        connect(peer.data(), &QTcpSocket::readyRead, this, [this] { received += peer->readAll(); });
        QVERIFY(server.isListening() || server.listen(QHostAddress::LocalHost, 0));
        peer->connectToHost(QHostAddress::LocalHost, server.serverPort());
        QVERIFY(server.waitForNewConnection(patience));
        socket = server.nextPendingConnection();
        QVERIFY(peer->waitForConnected(patience));
    }

    void lines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("spaced") << QByteArray("B2 - B3\n") << true;
        QTest::newRow("CR LF") << QByteArray("B2 - B3\r\n") << true;
        QTest::newRow("NUL after the move") << QByteArray("B2 - B3\0\xff\x01 junk\n", 17) << true;
        // The framer's bound (see its test) and how the player answers it.
        QTest::newRow("too long") << QByteArray(LineFramer::maxLineBytes, ' ') + "B2 - B3\n" << false;
        QTest::newRow("enemy stone") << QByteArray("B7 - B6\n") << false;
        QTest::newRow("NUL inside the move") << QByteArray("B2\0 - B3\n", 9) << false;
        QTest::newRow("high bytes") << QByteArray("\xff\xfe\x80\n") << false;
    }
    // Red's line comes in one write with the legal C2 - C3 after it, which is then
    // a retry under the same clock if the line was refused, and out of turn if it
    // was taken: exactly one "4" either way, and one move.
    void lines()
    {
        QFETCH(QByteArray, line);
        QFETCH(bool, accepted);
        SocketPlayer player(&board, 0, 100000, socket);
        QSignalSpy moves(&player, &SocketPlayer::MoveReceived);
        player.StartGame();
        send(line + "C2 - C3\n");
        QTRY_VERIFY_WITH_TIMEOUT(moves.count() == 1 && received == start + "4", patience);
        QCOMPARE(*player.TakeMove(), accepted ? redOpening : secondRedStep);
        expectExactly(player, start + "4");
    }

    // With no time, the half second for the transfer is left. The time-out is
    // reported once, a late move is refused, and a new request restarts the clock.
    void clock()
    {
        SocketPlayer player(&board, 0, 0, socket);
        QSignalSpy timeOuts(&player, &SocketPlayer::TimeElapsed);
        QElapsedTimer waited;
        waited.start();
        player.StartGame();
        QVERIFY(timeOuts.wait(patience));
        QVERIFY2(waited.elapsed() >= 500, qPrintable(QString::number(waited.elapsed())));
        send("B2 - B3\n");
        QTRY_COMPARE_WITH_TIMEOUT(received, start + "4", patience);
        QCOMPARE(timeOuts.count(), 1);
        player.RequestMove();
        QVERIFY(timeOuts.wait(patience));
        QCOMPARE(timeOuts.count(), 2);
    }

    void reentrancy_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("nestedLoopMs");
        QTest::newRow("asks again, two lines") << QByteArray("B2 - B3\nC2 - C3\n") << 0;
        QTest::newRow("asks again after a loop, fragment") << QByteArray("B2 - B3\nC2 - C3") << 500;
    }
    // The controller, inside MoveReceived(), asks for the next move (after the event
    // loop of a message box, say); bytes that follow wait for it.
    void reentrancy()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, nestedLoopMs);
        SocketPlayer player(&board, 0, 100000, socket);
        QList<Move> played;
        connect(&player, &SocketPlayer::MoveReceived, this, [&] {
            played << *player.TakeMove();
            QTest::qWait(nestedLoopMs);
            board.applyMove(played.last());
            player.RequestMove();
        });
        player.StartGame();
        send(bytes);
        QTRY_COMPARE_WITH_TIMEOUT(played, QList<Move>({redOpening, secondRedStep}), patience);
        expectExactly(player, start + "3 B2 - B3" "3 C2 - C3");
    }

private:
    void send(const QByteArray &bytes)
    {
        peer->write(bytes);
        peer->flush();
    }

    // Checks that the peer got exactly expected: a marker sent now comes after
    // anything sent earlier.
    void expectExactly(SocketPlayer &player, const QByteArray &expected)
    {
        player.SendFinalMove(Move(0, 0, 0, 0));
        QTRY_COMPARE_WITH_TIMEOUT(received, expected + "5 A8 - A8", patience);
    }

    ZarvikBoard board;
    QByteArray start; // red's board message
    QTcpServer server;
    QScopedPointer<QTcpSocket> peer;
    QTcpSocket *socket = nullptr; // the accepted end, which a player takes
    QByteArray received;
};

QTEST_GUILESS_MAIN(TestSocketStream)
#include "tst_socketstream.moc"
