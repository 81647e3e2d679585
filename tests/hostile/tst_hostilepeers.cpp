// SPDX-License-Identifier: GPL-3.0-or-later
// Remote programs that misuse the protocol or the connection, against the real
// controller and window: floods of bytes and of connections, peers that never read
// their answers, never speak or hang up in the middle of a move. After each the game
// is as the rules say, the other side goes on, and the program's memory stays bounded.
#include "GameController.h"
#include "SocketPlayer.h"
#include "TestPeer.h"
#include "WindowDriver.h"
#include "ZarvikBoard.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QtTest>

#include <sys/socket.h>

namespace {

const QString lostConnection =
    QStringLiteral("Partie terminée|Connection réseau a été perdue, la partie est annulée.");
const QString redToMove = QStringLiteral("En attente du coup rouge");

// Bound for what a scenario may add to the process: the program holds at most one
// line of a peer's bytes and small socket buffers, far below a 10 MB stream.
// AddressSanitizer's quarantine of freed blocks (16 MB for this test) and
// ThreadSanitizer's shadow of every block touched need more.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr qint64 memoryBoundKb = 64 * 1024;
#else
constexpr qint64 memoryBoundKb = 8 * 1024;
#endif

// The peak of resident memory in a scenario. The kernel's peak is brought down to
// the current size at the start where it allows it (Linux 4.0 and later); as it can
// miss memory taken and given back between two looks, the size is also sampled
// while events run.
struct MemoryWatch
{
    MemoryWatch()
    {
        QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
        reset = clearRefs.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && clearRefs.write("5") == 1;
        startKb = kb(reset ? "VmHWM:" : "VmRSS:");
        QObject::connect(&sampler, &QTimer::timeout, [this] { mostKb = qMax(mostKb, kb("VmRSS:")); });
        sampler.start(5);
    }

    // Logs the scenario's figures and checks the bound.
    void report(const QString &figures) const
    {
        const qint64 peakKb = qMax(kb("VmHWM:"), mostKb);
        qInfo("hostile figures | %s(%s): %s; peak memory %lld kB, %lld kB above the %lld kB at the start%s",
              QTest::currentTestFunction(), QTest::currentDataTag(), qPrintable(figures), peakKb,
              peakKb - startKb, startKb, reset ? "" : " (peak not reset: includes earlier scenarios)");
        QVERIFY2(startKb > 0 && peakKb - startKb < memoryBoundKb, "memory bound exceeded");
    }

    static qint64 kb(const char *field)
    {
        QFile status(QStringLiteral("/proc/self/status"));
        const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
        const int at = text.indexOf(field);
        return at < 0 ? -1 : text.mid(at + int(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }

    bool reset;
    qint64 startKb, mostKb = 0;
    QTimer sampler;
};

// A board message as a peer receives it at the start: its code, then the initial board.
QByteArray boardMessage(const char *code)
{
    ZarvikBoard board;
    board.resetToInitial();
    return code + board.toText().toLatin1();
}

// Makes a side (1 red, 2 black) a remote program with that many seconds per move,
// or without a clock when seconds is empty.
void chooseRemote(WindowDriver &driver, int player, const QByteArray &seconds)
{
    const QByteArray side = QByteArray::number(player);
    const QByteArray remote = "player" + side + "SocketRB", timer = "timerPlayer" + side + "CB";
    if (!driver.child<QAbstractButton>(remote.constData())->isChecked()) // a click would uncheck it
        driver.click(remote.constData());
    if (driver.child<QAbstractButton>(timer.constData())->isChecked() == seconds.isEmpty())
        driver.click(timer.constData());
    driver.child<QLineEdit>(("maxTimePlayer" + side + "Edit").constData())->setText(QLatin1String(seconds));
}

// A game between two peers that connect now, red with 30 s a move and black with
// the seconds given (no clock when empty); red plays B2 - B3 and black is asked for
// its move.
bool startGame(WindowDriver &driver, TestPeer &red, TestPeer &black, const QByteArray &blackSeconds)
{
    chooseRemote(driver, 1, "30");
    chooseRemote(driver, 2, blackSeconds);
    driver.click("startGameButton");
    const bool started = red.connectToProgram(*driver.controller()) && QTest::qWaitFor([&] {
        return driver.status() == QLatin1String("Attente de connection du joueur 2 (noir)...");
    }) && black.connectToProgram(*driver.controller()) && red.waitFor(boardMessage("1 "));
    if (started)
        red.send("B2 - B3\n");
    return started && black.waitFor(boardMessage("2 ") + "3 B2 - B3");
}

// The game as the window shows it: the move list, the side to move, the status text
// and every box shown so far.
void expectGame(WindowDriver &driver, const QStringList &moves, std::optional<Side> turn, const QString &status,
                const QStringList &boxes)
{
    QTRY_COMPARE(driver.dialogs.informations, boxes);
    QCOMPARE(driver.moveLines(), moves);
    QCOMPARE(driver.controller()->game()->turn(), turn);
    QCOMPARE(driver.status(), status);
}

// Ends a connection by a close (FIN), or by a reset (RST) as the system of a program
// that crashed does.
void hangUp(QTcpSocket &socket, bool reset)
{
    if (!reset)
        return socket.disconnectFromHost();
    const linger abortive{1, 0};
    ::setsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    socket.abort();
}

// Connections the server holds: the players' and those it has not got rid of yet.
int serverSockets(const GameController &controller)
{
    return controller.findChildren<QTcpSocket *>().size();
}

// The program's end of the peer's connection.
const QTcpSocket *programSide(const GameController &controller, const TestPeer &peer)
{
    for (const QTcpSocket *socket : controller.findChildren<QTcpSocket *>())
        if (socket->peerPort() == peer.socket.localPort())
            return socket;
    return nullptr;
}

// Connections opened and hung up one after another, alternately closed and reset,
// the program running after each.
struct Flood
{
    void run(int until)
    {
        while (opened < until) {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, port);
            ++opened;
            if (socket.waitForConnected(5000)) {
                ++connected;
                hangUp(socket, opened % 2 == 0);
            }
            QTest::qWait(1);
            mostSockets = qMax(mostSockets, serverSockets(controller));
        }
    }

    const GameController &controller;
    quint16 port;
    int opened = 0, connected = 0, mostSockets = 0;
};

} // namespace

class TestHostilePeers : public QObject
{
    Q_OBJECT

private slots:
    void streams_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("chunk"); // bytes per write
        QTest::addColumn<int>("gapMs"); // between writes
        QTest::addColumn<int>("refusals"); // -1: one per line
        QTest::addColumn<QByteArray>("move"); // black's move after the bytes, unless they hold it
        const int tenMb = 10 * 1024 * 1024, block = 64 * 1024;
        const QByteArray move = "A7 - A6\n", bad = "\na7 - a6\nA7\nA2 - A3\nA7 - A5\nA7 - B7\nI7 - I6\n\r\n";
        QTest::newRow("10 MB without line feed")
            << QByteArray("A7 - A6 ").repeated(tenMb / 8) << block << 0 << 1 << "\n" + move;
        QTest::newRow("10 MB of empty lines") << QByteArray(tenMb, '\n') << block << 0 << -1 << move;
        QTest::newRow("10000 bad lines in one burst") << bad.repeated(1250) << tenMb << 0 << -1 << move;
        QTest::newRow("legal move byte by byte") << move << 1 << 20 << 0 << QByteArray();
        QTest::newRow("CR LF, line feed apart") << QByteArray("A7 - A6\r\n") << 8 << 50 << 0 << QByteArray();
    }
    // Black streams while it is to move and reads none of its answers meanwhile: the
    // program stops reading rather than pile them up. Then black reads, each line
    // has had its answer, in order, and black's move reaches red alone.
    void streams()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, chunk);
        QFETCH(int, gapMs);
        QFETCH(int, refusals);
        QFETCH(QByteArray, move);
        WindowDriver driver;
        TestPeer red, black;
        QVERIFY2(startGame(driver, red, black, QByteArray()), qPrintable(driver.status()));
        const QTcpSocket *program = programSide(*driver.controller(), black);
        QVERIFY(program);
        black.socket.setReadBufferSize(1024); // takes no more of its answers from the system
        MemoryWatch memory;
        qint64 sent = 0, mostUnread = 0, mostUnsent = 0;
        QDeadlineTimer stuck(1000);
        // Until all is sent, or the systems' buffers are full and the peer is stuck.
        while (sent < bytes.size() && !stuck.hasExpired()) {
            if (black.socket.bytesToWrite() < chunk) { // keeps the test's own side small
                black.send(bytes.mid(int(sent), chunk));
                sent = qMin<qint64>(sent + chunk, bytes.size());
                stuck.setRemainingTime(1000);
            }
            QTest::qWait(gapMs);
            mostUnread = qMax(mostUnread, program->bytesAvailable());
            mostUnsent = qMax(mostUnsent, program->bytesToWrite());
        }
        // Before the peer reads: what follows is the test's own copying.
        memory.report(QString::asprintf("peer sent %lld of %d bytes (%lld still in its own buffer at the end), "
                                        "the program held at most %lld bytes unread and %lld unsent",
                                        sent, int(bytes.size()), black.socket.bytesToWrite(), mostUnread, mostUnsent));
        QVERIFY(mostUnread <= 65536 && mostUnsent <= 65536);

        black.socket.setReadBufferSize(0);
        const QByteArray answers = boardMessage("2 ") + "3 B2 - B3"
            + QByteArray(refusals < 0 ? bytes.left(int(sent)).count('\n') : refusals, '4');
        QVERIFY(black.waitFor(answers, 60000));
        black.send(move);
        QVERIFY(red.waitFor("3 A7 - A6"));
        expectGame(driver, {"1. B2 - B3", "2. A7 - A6"}, Side::Red, redToMove, {});
        red.send("C2 - C3\n");
        QVERIFY(black.waitFor("3 C2 - C3"));
        QCOMPARE(black.received, answers + "3 C2 - C3");
        QCOMPARE(red.received, boardMessage("1 ") + "3 A7 - A6");
    }

    // Connections while a game waits for black: the first takes black's place and
    // its hang-up cancels the game, once; the server, closed as soon as the end is
    // decided, refuses the rest. Then more while a new game runs, which goes on
    // untouched.
    void connectionFlood()
    {
        WindowDriver driver;
        chooseRemote(driver, 2, "30");
        driver.click("startGameButton");
        const quint16 port = driver.controller()->serverPort();
        MemoryWatch memory;
        Flood flood{*driver.controller(), port};
        int reachedDuringBox = -1;
        driver.dialogs.whileBoxOpen = [&] {
            const int before = flood.connected;
            flood.run(100);
            reachedDuringBox = flood.connected - before;
        };
        flood.run(200);
        expectGame(driver, {}, std::nullopt, lostConnection.section('|', 1), {lostConnection});
        QCOMPARE(reachedDuringBox, 0);
        const int reachedFirstGame = flood.connected;
        QCOMPARE(serverSockets(*driver.controller()), 1); // the cancelled black player's, until the next game

        driver.dialogs.whileBoxOpen = nullptr;
        TestPeer red, black;
        QVERIFY2(startGame(driver, red, black, "30"), qPrintable(driver.status()));
        flood.port = driver.controller()->serverPort();
        flood.run(300);
        black.send("A7 - A6\n");
        flood.run(400);
        QVERIFY(red.waitFor("3 A7 - A6"));
        expectGame(driver, {"1. B2 - B3", "2. A7 - A6"}, Side::Red, redToMove, {lostConnection});
        QCOMPARE(flood.connected, reachedFirstGame + 200);
        QVERIFY(flood.mostSockets <= 2);
        TestPeer extra; // one that stays is closed by the program, unspoken to
        QVERIFY(extra.connectToProgram(*driver.controller()));
        QVERIFY(extra.waitForClosed());
        QVERIFY(extra.received.isEmpty());
        red.send("C2 - C3\n");
        QVERIFY(black.waitFor("3 C2 - C3"));
        QCOMPARE(black.received, boardMessage("2 ") + "3 B2 - B3" + "3 C2 - C3");
        QTRY_COMPARE(serverSockets(*driver.controller()), 2);
        memory.report(QString::asprintf("%d connections opened (%d reached the program, the rest refused), "
                                        "at most %d sockets held by the server",
                                        flood.opened, flood.connected, flood.mostSockets));
    }

    void quietPeer_data()
    {
        QTest::addColumn<QByteArray>("seconds"); // black's clock; none if empty
        QTest::addColumn<QByteArray>("fragment");
        QTest::addColumn<int>("ending"); // 0 stays, 1 closes, 2 resets
        QTest::addColumn<QStringList>("boxes");
        const QString timeOut =
            QStringLiteral("Partie terminée|Le joueur noir a pris trop de temps.  Le joueur rouge est le gagnant.");
        QTest::newRow("silent without clock") << QByteArray() << QByteArray() << 0 << QStringList();
        QTest::newRow("silent, 0 s clock") << QByteArray("0") << QByteArray() << 0 << QStringList(timeOut);
        const QStringList lost(lostConnection);
        QTest::newRow("half a move, closed") << QByteArray("30") << QByteArray("A7 - ") << 1 << lost;
        QTest::newRow("all but line feed, reset") << QByteArray("30") << QByteArray("A7 - A6") << 2 << lost;
    }
    // Black, to move, says nothing or part of its move and maybe hangs up: the game
    // waits, is lost on time or is cancelled, once, with nothing of the move applied,
    // red told nothing and a person unable to move for black. A new game closes the
    // connections left open, telling them nothing more.
    void quietPeer()
    {
        QFETCH(QByteArray, seconds);
        QFETCH(QByteArray, fragment);
        QFETCH(int, ending);
        QFETCH(QStringList, boxes);
        WindowDriver driver;
        TestPeer red, black;
        QVERIFY2(startGame(driver, red, black, seconds), qPrintable(driver.status()));
        MemoryWatch memory;
        black.send(fragment);
        if (ending > 0)
            hangUp(black.socket, ending == 2);
        QTest::qWait(1000); // twice the shortest clock, five times the wait that ends a fragment
        driver.play("A7", "A6");
        const std::optional<Side> turn = boxes.isEmpty() ? std::optional<Side>(Side::Black) : std::nullopt;
        const QString status = boxes.isEmpty() ? QStringLiteral("En attente du coup noir") : boxes[0].section('|', 1);
        expectGame(driver, {"1. B2 - B3"}, turn, status, boxes);

        driver.click("startGameButton");
        QVERIFY(red.waitForClosed() && black.waitForClosed());
        QCOMPARE(red.received, boardMessage("1 "));
        QCOMPARE(black.received, boardMessage("2 ") + "3 B2 - B3");
        memory.report(QString::asprintf("peer sent %d bytes, was sent %d", int(fragment.size()), int(black.received.size())));
    }
};

QTEST_MAIN(TestHostilePeers)
#include "tst_hostilepeers.moc"
