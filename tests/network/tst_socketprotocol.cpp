// The network player's messages, its judgement of move lines, its clock and its
// connection, against a real peer on the loopback interface.
#include "LoopbackConnection.h"

#include <QPointer>
#include <QtTest>

namespace {

const Move redOpening(1, 6, 1, 5); // B2 - B3

// A board too wide for the board message, to see it cut; no rules needed.
class WideBoard : public Board
{
public:
    WideBoard() : Board(40, 40) {}
    void generateMovesFrom(int, int, MoveList &) const override {}
    void generateMoves(int, MoveList &) const override {}
    int owner(int) const override { return 2; }
    bool hasWon(int) const override { return false; }
    void resetToInitial() override {}
    int evaluate(int, int, int) const override { return 0; }
    bool isLegal(const Move &, int) const override { return false; }
};

} // namespace

class TestSocketProtocol : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        connection.reset(new LoopbackConnection);
        QVERIFY(connection->open());
        board.resetToInitial();
        board.lastMove = Move();
    }
    void cleanup() { connection.reset(); }

    void blackGetsBoardOnConnectionThenMoves()
    {
        SocketPlayer player(&board, 1, 5, connection->accepted);
        QByteArray expected = boardMessage("2 ", board);
        QTRY_COMPARE_WITH_TIMEOUT(connection->received, expected, patience);

        Move played = redOpening;
        board.applyMove(played);
        player.RequestMove();
        expected += "3 B2 - B3";
        QTRY_COMPARE_WITH_TIMEOUT(connection->received, expected, patience);

        player.SendFinalMove(Move(0, 0, 7, 7));
        expected += "5 A8 - H1";
        QTRY_COMPARE_WITH_TIMEOUT(connection->received, expected, patience);
    }

    void redGetsBoardOnlyAtStart()
    {
        SocketPlayer player(&board, 0, 5, connection->accepted);
        player.StartGame();
        QTRY_COMPARE_WITH_TIMEOUT(connection->received, boardMessage("1 ", board), patience);
    }

    void boardMessageIsCut()
    {
        WideBoard wide;
        SocketPlayer player(&wide, 0, 5, connection->accepted);
        player.StartGame();
        const QByteArray whole = boardMessage("1 ", wide);
        QVERIFY(whole.size() > 1023);
        QTRY_COMPARE_WITH_TIMEOUT(connection->received, whole.left(1023), patience);
    }

    void acceptedLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("spaced") << QByteArray("B2 - B3\n");
        QTest::newRow("hyphen") << QByteArray("B2-B3\n");
        QTest::newRow("space, CR LF") << QByteArray("B2 B3\r\n");
        QTest::newRow("joined") << QByteArray("B2B3\n");
        QTest::newRow("leading spaces, double hyphen") << QByteArray("  B2 -- B3\n");
    }
    void acceptedLines()
    {
        QFETCH(QByteArray, line);
        SocketPlayer player(&board, 0, 5, connection->accepted);
        QSignalSpy moves(&player, SIGNAL(MoveReceived()));
        player.StartGame();
        connection->send(line);
        QVERIFY(moves.wait(patience));
        QCOMPARE(*player.TakeMove(), redOpening);
        QVERIFY(!player.timer->isActive());
        expectNothingMoreThan(player, boardMessage("1 ", board));
        QCOMPARE(moves.count(), 1);
    }

    void refusedLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("empty") << QByteArray("\n");
        QTest::newRow("lower case") << QByteArray("b2 - b3\n");
        QTest::newRow("one square") << QByteArray("B2\n");
        QTest::newRow("one square and hyphen") << QByteArray("B2 -\n");
        QTest::newRow("too far") << QByteArray("B2 - B4\n");
        QTest::newRow("sideways") << QByteArray("B2 - C2\n");
        QTest::newRow("onto own stone") << QByteArray("B1 - B2\n");
        QTest::newRow("enemy stone") << QByteArray("B7 - B6\n");
        QTest::newRow("empty square") << QByteArray("B4 - B5\n");
        QTest::newRow("off the board") << QByteArray("I2 - I3\n");
        QTest::newRow("row 9") << QByteArray("B9 - B3\n");
        QTest::newRow("row 0") << QByteArray("B2 - B0\n");
    }
    void refusedLines()
    {
        QFETCH(QByteArray, line);
        SocketPlayer player(&board, 0, 5, connection->accepted);
        QSignalSpy moves(&player, SIGNAL(MoveReceived()));
        player.StartGame();
        connection->send(line);
        QTRY_COMPARE_WITH_TIMEOUT(connection->received, boardMessage("1 ", board) + "4", patience);
        QCOMPARE(moves.count(), 0);
        QCOMPARE(*player.TakeMove(), Move());
        // Same clock: the peer may try again.
        QVERIFY(player.timer->isActive());
        connection->send("B2 - B3\n");
        QVERIFY(moves.wait(patience));
        QCOMPARE(*player.TakeMove(), redOpening);
    }

    void outOfTurnLinesAreRefused()
    {
        SocketPlayer player(&board, 1, 5, connection->accepted);
        QSignalSpy moves(&player, SIGNAL(MoveReceived()));
        QByteArray expected = boardMessage("2 ", board);
        // Legal for black, but red has not moved yet.
        connection->send("B7 - B6\n");
        expected += "4";
        QTRY_COMPARE_WITH_TIMEOUT(connection->received, expected, patience);

        Move played = redOpening;
        board.applyMove(played);
        player.RequestMove();
        connection->send("B7 - B6\n");
        QVERIFY(moves.wait(patience));
        // The turn has passed: the same legal move again is out of turn.
        connection->send("A7 - A6\n");
        expected += "3 B2 - B3" "4";
        QTRY_COMPARE_WITH_TIMEOUT(connection->received, expected, patience);

        player.RequestMove();
        player.stopClock();
        connection->send("A7 - A6\n");
        expected += "3 B2 - B3" "4";
        QTRY_COMPARE_WITH_TIMEOUT(connection->received, expected, patience);
        QCOMPARE(moves.count(), 1);
        QCOMPARE(*player.TakeMove(), Move(1, 1, 1, 2));
    }

    void clockInterval_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("interval");
        QTest::newRow("no time") << 0 << 500;
        QTest::newRow("five seconds") << 5 << 5500;
        QTest::newRow("no timer") << 100000 << 100000500;
        QTest::newRow("negative") << -5 << 500;
    }
    void clockInterval()
    {
        QFETCH(int, limit);
        QFETCH(int, interval);
        SocketPlayer player(&board, 0, limit, connection->accepted);
        QVERIFY(!player.timer->isActive());
        player.StartGame();
        QVERIFY(player.timer->isActive());
        QCOMPARE(player.timer->interval(), interval);
    }

    void timeOutIsReportedOnceAndRequestRestartsClock()
    {
        SocketPlayer player(&board, 0, 0, connection->accepted);
        QSignalSpy timeOuts(&player, SIGNAL(TimeElapsed()));
        QSignalSpy moves(&player, SIGNAL(MoveReceived()));
        player.StartGame();
        QVERIFY(timeOuts.wait(patience));
        QVERIFY(!player.timer->isActive());
        QTest::qWait(1500);
        QCOMPARE(timeOuts.count(), 1);

        // Too late: refused.
        connection->send("B2 - B3\n");
        QTRY_COMPARE_WITH_TIMEOUT(connection->received, boardMessage("1 ", board) + "4", patience);
        QCOMPARE(moves.count(), 0);

        player.RequestMove();
        QVERIFY(timeOuts.wait(patience));
        QCOMPARE(timeOuts.count(), 2);
    }

    void requestRestartsRunningClock()
    {
        SocketPlayer player(&board, 0, 10, connection->accepted);
        player.StartGame();
        QTest::qWait(300);
        const int before = player.timer->remainingTime();
        player.RequestMove();
        QVERIFY(player.timer->remainingTime() > before);
    }

    void disconnectionIsReported()
    {
        SocketPlayer player(&board, 0, 5, connection->accepted);
        QSignalSpy lost(&player, SIGNAL(DisconnectedSocket()));
        QSignalSpy timeOuts(&player, SIGNAL(TimeElapsed()));
        player.StartGame();
        connection->peer.disconnectFromHost();
        QVERIFY(lost.wait(patience));
        QCOMPARE(lost.count(), 1);
        // A peer that is gone does not also lose on time.
        QVERIFY(!player.timer->isActive());
        QCOMPARE(timeOuts.count(), 0);
    }

    void destructionClosesConnectionSilently()
    {
        auto *player = new SocketPlayer(&board, 0, 5, connection->accepted);
        const QPointer<QTcpSocket> socket(connection->accepted);
        int lost = 0;
        QObject counter;
        connect(player, &SocketPlayer::DisconnectedSocket, &counter, [&lost] { ++lost; });
        player->StartGame();
        player->SendFinalMove(redOpening);
        delete player;
        QCOMPARE(lost, 0);
        QTRY_COMPARE_WITH_TIMEOUT(connection->peer.state(), QAbstractSocket::UnconnectedState, patience);
        // What was sent before the end still reaches the peer.
        QCOMPARE(connection->received, boardMessage("1 ", board) + "5 B2 - B3");
        QTRY_VERIFY_WITH_TIMEOUT(socket.isNull(), patience);
    }

private:
    // Checks that the peer got exactly expected: a marker message sent now would
    // come after anything sent earlier.
    void expectNothingMoreThan(SocketPlayer &player, const QByteArray &expected)
    {
        player.SendFinalMove(Move(0, 0, 0, 0));
        QTRY_COMPARE_WITH_TIMEOUT(connection->received, expected + "5 A8 - A8", patience);
    }

    ZarvikBoard board;
    QScopedPointer<LoopbackConnection> connection;
};

QTEST_GUILESS_MAIN(TestSocketProtocol)
#include "tst_socketprotocol.moc"
