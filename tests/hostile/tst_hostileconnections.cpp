// Remote programs that misuse the connection itself, against the real controller
// and window: floods of connections opened and closed, a peer that never speaks,
// a peer that hangs up in the middle of its move.
#include "HostileGame.h"

#include <QHostAddress>
#include <QTcpSocket>

#include <sys/socket.h>

namespace {

const QString lostConnection = QStringLiteral("Partie terminée|Connection réseau a été perdue, la partie est annulée.");

// Ends a connection politely (FIN), or by a reset (RST) as the system of a program
// that crashed does.
void hangUp(QTcpSocket &socket, bool reset)
{
    if (reset) {
        const linger abortive{1, 0};
        ::setsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        socket.abort();
    } else {
        socket.disconnectFromHost();
    }
}

// Connections the server holds: those of the players and those it has not got rid
// of yet.
int serverSockets()
{
    return GameController::instance()->server.findChildren<QTcpSocket *>().size();
}

// Connections opened and hung up one after another on the program's port, the
// program running after each, and what became of them.
class Flood
{
public:
    enum HangUp { Politely, ByReset, Alternately };
    explicit Flood(HangUp way) : way(way) {}

    // Goes on until `until` connections have been tried.
    void run(int until)
    {
        while (opened < until) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, GameController::port);
            ++opened;
            if (socket.waitForConnected(5000)) {
                ++connected;
                hangUp(socket, way == ByReset || (way == Alternately && opened % 2 == 0));
            } else {
                ++refused;
            }
            QTest::qWait(1);
            mostSockets = qMax(mostSockets, serverSockets());
        }
    }

    QString figures() const
    {
        return QStringLiteral("%1 connections opened (%2 reached the program, %3 refused), at most %4 sockets "
                              "held by the server")
            .arg(opened)
            .arg(connected)
            .arg(refused)
            .arg(mostSockets);
    }

    int opened = 0;
    int connected = 0;
    int refused = 0;
    int mostSockets = 0;

private:
    const HangUp way;
};

} // namespace

class TestHostileConnections : public QObject
{
    Q_OBJECT

private slots:
    void floodWhileAGameWaits_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("closed") << int(Flood::Politely);
        QTest::newRow("reset") << int(Flood::ByReset);
    }
    // The first connection takes black's place and its hang-up cancels the game,
    // once; connections that arrive while the end is announced are turned away, and
    // the server, closed with the game, refuses the rest. A new game then runs.
    void floodWhileAGameWaits()
    {
        QFETCH(int, way);
        WindowDriver driver;
        chooseRemote(driver, 2, "5");
        driver.click("startGameButton");
        QCOMPARE(driver.status(), QStringLiteral("Attente de connection du joueur 2 (noir)..."));
        MemoryWatch memory;
        Flood flood(static_cast<Flood::HangUp>(way));
        int openedWhenBoxOpened = 0;
        int openedWhenBoxClosed = 0;
        driver.dialogs.whileBoxOpen = [&] {
            openedWhenBoxOpened = flood.opened;
            flood.run(100);
            openedWhenBoxClosed = flood.opened;
        };
        flood.run(200);
        QTest::qWait(100);
        REQUIRE(expectGame(driver, {}, 2, QStringLiteral("En attente du coup rouge..."), {lostConnection}));
        QVERIFY2(openedWhenBoxOpened >= 1 && openedWhenBoxOpened < 100, QByteArray::number(openedWhenBoxOpened));
        QCOMPARE(flood.connected, openedWhenBoxClosed);
        QCOMPARE(flood.refused, flood.opened - openedWhenBoxClosed);
        QVERIFY2(flood.mostSockets <= 2, qPrintable(flood.figures()));
        QCOMPARE(serverSockets(), 1); // the cancelled black player's, until the next game

        driver.dialogs.whileBoxOpen = nullptr;
        driver.click("player2HumanRB");
        driver.click("startGameButton");
        QTRY_COMPARE(serverSockets(), 0);
        driver.play("B2", "B3");
        driver.play("A7", "A6");
        REQUIRE(expectGame(driver, {"B2 - B3", "A7 - A6"}, 0, QStringLiteral("En attente du coup rouge"),
                           {lostConnection}));
        memory.report("flood while waiting", flood.figures());
        QVERIFY2(memory.keptToBound(), QByteArray::number(memory.peakGrowthKb()));
    }

    // Extra connections during a game are turned away without touching it: the
    // person and the remote black player go on, and nothing piles up.
    void floodWhileAGameRuns()
    {
        WindowDriver driver;
        TestPeer black;
        REQUIRE(connectRemoteBlack(driver, black, "30"));
        MemoryWatch memory;
        Flood flood(Flood::Alternately);
        flood.run(100);
        driver.play("B2", "B3");
        QVERIFY(black.waitFor("3 B2 - B3"));
        black.send("A7 - A6\n");
        flood.run(200);
        QTRY_COMPARE(driver.moveLines().size(), 2);
        REQUIRE(expectGame(driver, {"B2 - B3", "A7 - A6"}, 0, QStringLiteral("En attente du coup rouge"), {}));
        QCOMPARE(flood.connected, 200);
        QVERIFY2(flood.mostSockets <= 2, qPrintable(flood.figures()));
        TestPeer extra; // one that stays is closed by the program, unspoken to
        QVERIFY(extra.connectToProgram());
        QVERIFY(extra.waitForClosed());
        QVERIFY(extra.received.isEmpty());
        driver.play("C2", "C3");
        QVERIFY(black.waitFor("3 C2 - C3"));
        QCOMPARE(black.received, boardMessage("2 ") + "3 B2 - B3" + "3 C2 - C3");
        QTRY_COMPARE(serverSockets(), 1);
        memory.report("flood while playing", flood.figures());
        QVERIFY2(memory.keptToBound(), QByteArray::number(memory.peakGrowthKb()));
    }

    // Red connects and never speaks under a clock of 0 seconds: it loses on time,
    // once; black is told nothing more and keeps its connection until the next game.
    void silentPeerWithClockLosesOnTime()
    {
        WindowDriver driver;
        TestPeer red, black;
        REQUIRE(connectRemotes(driver, red, "0", black, "30"));
        MemoryWatch memory;
        QTRY_COMPARE_WITH_TIMEOUT(driver.controller()->turn, 2, 10000);
        QTest::qWait(700); // longer than another clock period
        REQUIRE(expectGame(
            driver, {}, 2, QStringLiteral("En attente du coup rouge..."),
            {QStringLiteral("Partie terminée|Le joueur rouge a pris trop de temps.  Le joueur noir est le gagnant.")}));
        QVERIFY(!black.waitFor("3", 100));
        QCOMPARE(black.received, boardMessage("2 "));
        QCOMPARE(red.received, boardMessage("1 "));
        QCOMPARE(black.socket.state(), QAbstractSocket::ConnectedState);

        driver.click("player1HumanRB");
        driver.click("player2HumanRB");
        driver.click("startGameButton");
        QVERIFY(red.waitForClosed());
        QVERIFY(black.waitForClosed());
        QCOMPARE(driver.dialogs.informations.size(), 1);
        memory.report("silent with clock", QStringLiteral("peer sent 0 bytes, program sent it %1 bytes")
                                               .arg(red.received.size()));
        QVERIFY2(memory.keptToBound(), QByteArray::number(memory.peakGrowthKb()));
    }

    // Black never speaks and has no clock: the game waits as long as it takes, the
    // person cannot move for it, and a new game closes its connection without a
    // message.
    void silentPeerWithoutClockIsWaitedFor()
    {
        WindowDriver driver;
        TestPeer silent;
        REQUIRE(connectRemoteBlack(driver, silent, nullptr));
        MemoryWatch memory;
        driver.play("B2", "B3");
        QVERIFY(silent.waitFor("3 B2 - B3"));
        QTest::qWait(1000); // twice the shortest clock
        driver.play("A7", "A6");
        REQUIRE(expectGame(driver, {"B2 - B3"}, 1, QStringLiteral("En attente du coup noir"), {}));
        QCOMPARE(silent.socket.state(), QAbstractSocket::ConnectedState);

        driver.click("player2HumanRB");
        driver.click("startGameButton");
        QVERIFY(silent.waitForClosed());
        QTest::qWait(100);
        driver.play("B2", "B3");
        driver.play("A7", "A6");
        REQUIRE(expectGame(driver, {"B2 - B3", "A7 - A6"}, 0, QStringLiteral("En attente du coup rouge"), {}));
        QCOMPARE(silent.received, boardMessage("2 ") + "3 B2 - B3");
        memory.report("silent without clock", QStringLiteral("peer sent 0 bytes, program sent it %1 bytes")
                                                  .arg(silent.received.size()));
        QVERIFY2(memory.keptToBound(), QByteArray::number(memory.peakGrowthKb()));
    }

    void hangUpInTheMiddleOfAMove_data()
    {
        QTest::addColumn<QByteArray>("fragment");
        QTest::addColumn<bool>("reset");
        QTest::newRow("half a move, closed") << QByteArray("A7 - ") << false;
        QTest::newRow("all but the line feed, closed") << QByteArray("A7 - A6") << false;
        QTest::newRow("all but the line feed, reset") << QByteArray("A7 - A6") << true;
        QTest::newRow("one byte, reset") << QByteArray("A") << true;
    }
    // Black sends part of its move and hangs up: the game is cancelled once with
    // nothing of the move applied; red is told nothing, keeps its connection and its
    // late lines are refused.
    void hangUpInTheMiddleOfAMove()
    {
        QFETCH(QByteArray, fragment);
        QFETCH(bool, reset);
        WindowDriver driver;
        TestPeer red, black;
        REQUIRE(connectRemotes(driver, red, "30", black, "30"));
        MemoryWatch memory;
        red.send("B2 - B3\n");
        QVERIFY(black.waitFor("3 B2 - B3"));
        black.send(fragment);
        hangUp(black.socket, reset);
        QTRY_COMPARE(driver.controller()->turn, 2);
        QTest::qWait(400); // longer than the wait that turns a fragment into a line
        REQUIRE(expectGame(driver, {"B2 - B3"}, 2, QStringLiteral("En attente du coup noir"), {lostConnection}));
        QVERIFY(!driver.controller()->acceptsHumanMove());
        QVERIFY(!red.waitFor("3", 100));
        QCOMPARE(red.received, boardMessage("1 "));
        QCOMPARE(red.socket.state(), QAbstractSocket::ConnectedState);
        red.send("C2 - C3\n");
        QVERIFY(red.waitFor(boardMessage("1 ") + "4"));
        REQUIRE(expectGame(driver, {"B2 - B3"}, 2, QStringLiteral("En attente du coup noir"), {lostConnection}));

        driver.click("player1HumanRB");
        driver.click("player2HumanRB");
        driver.click("startGameButton");
        QVERIFY(red.waitForClosed());
        QCOMPARE(driver.dialogs.informations, QStringList({lostConnection}));
        memory.report("hang-up mid-move", QStringLiteral("peer sent %1 bytes then %2")
                                              .arg(fragment.size())
                                              .arg(reset ? "reset" : "closed"));
        QVERIFY2(memory.keptToBound(), QByteArray::number(memory.peakGrowthKb()));
    }
};

QTEST_MAIN(TestHostileConnections)
#include "tst_hostileconnections.moc"
