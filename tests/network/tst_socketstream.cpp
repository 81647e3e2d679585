// SPDX-License-Identifier: GPL-3.0-or-later
// The network player against a peer on the loopback interface: its messages, how it
// cuts the peer's bytes into lines and judges them, its clock, and slots that re-enter
// it while it handles a line. Hang-ups, floods and garbage are the hostile tests'.
#include "LineFramer.h"
#include "SocketPlayer.h"
#include "GameRecord.h"
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
        SocketPlayer player(Side::Red, socket, board);
        QSignalSpy moves(&player, &Player::moved);
        askFirst(player);
        send(line + "C2 - C3\n");
        QTRY_VERIFY_WITH_TIMEOUT(moves.count() == 1 && received == start + "4", patience);
        QCOMPARE(moves.at(0).at(0).value<Move>(), accepted ? redOpening : secondRedStep);
        expectExactly(player, start + "4");
    }

    // A move that comes after the game stopped asking (its time ran out) is refused;
    // a new request takes the next one.
    void lateMove()
    {
        SocketPlayer player(Side::Red, socket, board);
        QSignalSpy moves(&player, &Player::moved);
        askFirst(player);
        player.stop();
        send("B2 - B3\n");
        QTRY_COMPARE_WITH_TIMEOUT(received, start + "4", patience);
        askFirst(player);
        send("B2 - B3\n");
        QVERIFY(moves.wait(patience));
        QCOMPARE(moves.count(), 1);
    }

    void reentrancy_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("two lines") << QByteArray("B2 - B3\nC2 - C3\n");
        QTest::newRow("a line and a fragment") << QByteArray("B2 - B3\nC2 - C3");
    }
    // The controller, inside moved(), asks for the next move; the line after the
    // move is then this next move, not a line out of turn.
    void reentrancy()
    {
        QFETCH(QByteArray, bytes);
        SocketPlayer player(Side::Red, socket, board);
        QList<Move> played;
        connect(&player, &Player::moved, this, [&](const Move &move) {
            played << move;
            board.applyMove(played.last());
            askAfter(player, move);
        });
        askFirst(player);
        send(bytes);
        QTRY_COMPARE_WITH_TIMEOUT(played, QList<Move>({redOpening, secondRedStep}), patience);
        expectExactly(player, start + "3 B2 - B3" "3 C2 - C3");
    }

private:
    void askFirst(SocketPlayer &player) { player.play({board, GameRecord::pass, false}); }
    // As a controller does after the opponent's reply to the move.
    void askAfter(SocketPlayer &player, const Move &move) { player.play({board, move, true}); }

    void send(const QByteArray &bytes)
    {
        peer->write(bytes);
        peer->flush();
    }

    // Checks that the peer got exactly expected: a marker sent now comes after
    // anything sent earlier.
    void expectExactly(SocketPlayer &player, const QByteArray &expected)
    {
        player.gameWon(Move(0, 0, 0, 0));
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
