// Remote programs that send bytes the protocol does not expect, against the real
// controller and window: an endless line, binary bytes, a burst of bad lines, a
// move dribbled byte by byte, lines ended by CRLF. The game must stay as the rules
// say and the other side must go on as if nothing happened.
#include "HostileGame.h"
#include "SocketPlayer.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

namespace {

// Lines of random bytes, a quarter of them NUL, with carriage returns and high
// bytes, none of which reads as a move: the parser skips leading spaces and then
// needs a column letter, so such a letter is replaced by NUL.
QByteArray binaryLines(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        QByteArray line;
        const int length = random.bounded(200);
        for (int k = 0; k < length; ++k) {
            const char byte = random.bounded(4) == 0 ? '\0' : char(random.bounded(256));
            line += byte == '\n' ? '\r' : byte;
        }
        int first = 0;
        while (first < line.size() && line.at(first) == ' ')
            ++first;
        if (first < line.size() && line.at(first) >= 'A' && line.at(first) <= 'H')
            line[first] = '\0';
        bytes += line + '\n';
    }
    return bytes;
}

// Lines that black may not play in the initial position after B2 - B3, each refused
// for its own reason.
QByteArray badLines(int count)
{
    const QList<QByteArray> kinds = {
        "",          // empty
        "a7 - a6",   // lower case
        "A7",        // origin only
        "A7 -",      // no destination
        "A2 - A3",   // red's stone
        "A7 - A5",   // two rows
        "A7 - B7",   // sideways
        "A6 - A5",   // empty square
        "I7 - I6",   // off the board
        "A9 - A8",   // row off the board
        "A0 - A1",   // row zero
        "\r",        // a carriage return alone
        "B3 - B2",   // onto the red stone straight
    };
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += kinds.at(i % kinds.size()) + '\n';
    return bytes;
}

} // namespace

class TestHostileStreams : public QObject
{
    Q_OBJECT

private slots:
    // 10 MB repeating a legal move, never ended: refused once as an over-long line
    // and never played, while the person moves in the middle of it; the bytes never
    // pile up in the program.
    void endlessLineWithoutLineFeed()
    {
        WindowDriver driver;
        TestPeer black;
        REQUIRE(connectRemoteBlack(driver, black, nullptr));
        MemoryWatch memory;
        const qint64 total = 10 * 1024 * 1024;
        const QByteArray pattern = "A7 - A6 ";
        const QByteArray chunk = pattern.repeated(64 * 1024 / pattern.size());
        qint64 sent = 0;
        qint64 longestPassMs = 0;
        bool personPlayed = false;
        QElapsedTimer deadline;
        deadline.start();
        while (sent < total) {
            // Keep the test's own side small: write only what the socket has sent on.
            if (black.socket.bytesToWrite() < chunk.size())
                sent += black.socket.write(chunk.left(int(qMin<qint64>(chunk.size(), total - sent))));
            QElapsedTimer pass;
            pass.start();
            QCoreApplication::processEvents();
            longestPassMs = qMax(longestPassMs, pass.elapsed());
            if (!personPlayed && sent >= total / 2) {
                // Half way, the line has long been refused; red moves, so the rest
                // streams while black's turn would take a move.
                QVERIFY(black.waitFor(boardMessage("2 ") + "4"));
                driver.play("B2", "B3");
                QCOMPARE(driver.moveLines(), QStringList({"1. B2 - B3"}));
                personPlayed = true;
            }
            QVERIFY2(deadline.elapsed() < 120000, "the program stopped reading");
        }
        QTRY_COMPARE_WITH_TIMEOUT(black.socket.bytesToWrite(), qint64(0), 60000);
        QTest::qWait(300); // longer than the wait that turns a fragment into a line
        REQUIRE(expectGame(driver, {"B2 - B3"}, 1, QStringLiteral("En attente du coup noir"), {}));
        // The line feed ends the dropped line without a second refusal.
        const QByteArray ending = "\nA7 - A6\n";
        black.send(ending);
        QTRY_COMPARE(driver.moveLines().size(), 2);
        REQUIRE(expectGame(driver, {"B2 - B3", "A7 - A6"}, 0, QStringLiteral("En attente du coup rouge"), {}));
        QVERIFY(black.waitFor("3 B2 - B3"));
        QCOMPARE(black.received, boardMessage("2 ") + "4" + "3 B2 - B3");
        memory.report("endless line", QStringLiteral("peer sent %1 bytes without line feed, then %2 bytes, "
                                                     "program answered %3 bytes; longest event loop pass %4 ms")
                                          .arg(sent)
                                          .arg(ending.size())
                                          .arg(black.received.size())
                                          .arg(longestPassMs));
        QVERIFY2(memory.keptToBound(), QByteArray::number(memory.peakGrowthKb()));
    }

    // Empty lines, refused one by one, from a peer that never reads the refusals:
    // they must not pile up in the program; it stops reading the peer instead,
    // and once the peer reads, every line has had its answer, in order.
    void blankLinesFromAPeerThatNeverReads()
    {
        WindowDriver driver;
        TestPeer black;
        REQUIRE(connectRemoteBlack(driver, black, nullptr));
        driver.play("B2", "B3");
        QVERIFY(black.waitFor("3 B2 - B3"));
        MemoryWatch memory;
        auto *program = static_cast<SocketPlayer *>(driver.controller()->player2)->socket;
        black.socket.setReadBufferSize(1024); // takes no more from the system than this
        const qint64 total = 10 * 1024 * 1024;
        const QByteArray chunk(64 * 1024, '\n');
        qint64 sent = 0;
        qint64 mostUnsent = 0;
        QElapsedTimer sinceProgress;
        sinceProgress.start();
        // Until all is sent or the systems' buffers are full and the peer is stuck.
        while (sent < total && sinceProgress.elapsed() < 1000) {
            if (black.socket.bytesToWrite() < chunk.size()) {
                sent += black.socket.write(chunk.left(int(qMin<qint64>(chunk.size(), total - sent))));
                sinceProgress.restart();
            }
            QCoreApplication::processEvents();
            mostUnsent = qMax(mostUnsent, program->bytesToWrite());
        }
        const qint64 unsentWhenStuck = black.socket.bytesToWrite();
        // Measured before the peer reads: what follows is the test's own copying.
        memory.report("peer that never reads",
                      QStringLiteral("peer wrote %1 empty lines (%2 of them still in its own buffer when it was "
                                     "stuck), at most %3 answers waited unsent in the program")
                          .arg(sent)
                          .arg(unsentWhenStuck)
                          .arg(mostUnsent));
        QVERIFY2(memory.keptToBound(), QByteArray::number(memory.peakGrowthKb()));
        QVERIFY2(mostUnsent <= 64 * 1024, QByteArray::number(mostUnsent));
        REQUIRE(expectGame(driver, {"B2 - B3"}, 1, QStringLiteral("En attente du coup noir"), {}));

        black.socket.setReadBufferSize(0);
        const QByteArray start = boardMessage("2 ") + "3 B2 - B3";
        const auto received = [&black] {
            black.received += black.socket.readAll();
            return black.received.size();
        };
        QTRY_COMPARE_WITH_TIMEOUT(received(), start.size() + sent, 60000);
        QCOMPARE(black.received, start + QByteArray(int(sent), '4'));
        black.send("A7 - A6\n");
        QTRY_COMPARE(driver.moveLines().size(), 2);
        REQUIRE(expectGame(driver, {"B2 - B3", "A7 - A6"}, 0, QStringLiteral("En attente du coup rouge"), {}));
    }

    // Bad lines streamed without pause, the answers read: the program keeps
    // returning to its event loop, so the peer still loses on time, once.
    void streamingDoesNotHoldOffTheClock()
    {
        WindowDriver driver;
        TestPeer black;
        REQUIRE(connectRemoteBlack(driver, black, "1"));
        driver.play("B2", "B3");
        QVERIFY(black.waitFor("3 B2 - B3"));
        MemoryWatch memory;
        const QByteArray chunk = QByteArray("A7 - A5\n").repeated(8 * 1024);
        qint64 sent = 0;
        qint64 refusals = 0;
        bool onlyRefusals = true;
        QElapsedTimer streaming;
        streaming.start();
        while (driver.controller()->turn != 2 && streaming.elapsed() < 30000) {
            if (black.socket.bytesToWrite() < chunk.size())
                sent += black.socket.write(chunk);
            const QByteArray answers = black.socket.readAll();
            refusals += answers.count('4');
            onlyRefusals = onlyRefusals && answers.count('4') == answers.size();
            QCoreApplication::processEvents();
        }
        const qint64 streamedMs = streaming.elapsed();
        REQUIRE(expectGame(
            driver, {"B2 - B3"}, 2, QStringLiteral("En attente du coup noir"),
            {QStringLiteral("Partie terminée|Le joueur noir a pris trop de temps.  Le joueur rouge est le gagnant.")}));
        QVERIFY(onlyRefusals);
        QVERIFY(refusals > 0);
        memory.report("stream under a clock", QStringLiteral("peer sent %1 bytes in %2 ms until it lost on time "
                                                             "(1 s limit), %3 lines refused by then")
                                                  .arg(sent)
                                                  .arg(streamedMs)
                                                  .arg(refusals));
        QVERIFY2(memory.keptToBound(), QByteArray::number(memory.peakGrowthKb()));
    }

    // Binary lines with NUL bytes from black in its turn: each refused once with the
    // clock running, then black's move is taken and red hears of it alone.
    void binaryBytesWithNul()
    {
        WindowDriver driver;
        TestPeer red, black;
        REQUIRE(connectRemotes(driver, red, "30", black, "30"));
        MemoryWatch memory;
        red.send("B2 - B3\n");
        QVERIFY(black.waitFor("3 B2 - B3"));
        const QByteArray garbage = binaryLines(2000, 20240611);
        QVERIFY(garbage.count('\0') > garbage.size() / 5);
        black.send(garbage);
        const QByteArray refusals(2000, '4');
        QVERIFY(black.waitFor(refusals, 30000));
        REQUIRE(expectGame(driver, {"B2 - B3"}, 1, QStringLiteral("En attente du coup noir"), {}));
        black.send("A7A6\n");
        QVERIFY(red.waitFor("3 A7 - A6"));
        REQUIRE(expectGame(driver, {"B2 - B3", "A7 - A6"}, 0, QStringLiteral("En attente du coup rouge"), {}));
        QCOMPARE(black.received, boardMessage("2 ") + "3 B2 - B3" + refusals);
        QCOMPARE(red.received, boardMessage("1 ") + "3 A7 - A6");
        red.send("C2 - C3\n");
        QVERIFY(black.waitFor("3 C2 - C3"));
        memory.report("binary bytes", QStringLiteral("peer sent %1 bytes in %2 lines (%3 NUL), program answered "
                                                     "%4 bytes")
                                          .arg(garbage.size() + 5)
                                          .arg(garbage.count('\n'))
                                          .arg(garbage.count('\0'))
                                          .arg(black.received.size()));
        QVERIFY2(memory.keptToBound(), QByteArray::number(memory.peakGrowthKb()));
    }

    // 10 000 bad lines in one write: 10 000 refusals, nothing played, and black's
    // clock still runs its course for the move that follows.
    void tenThousandBadLinesInOneBurst()
    {
        WindowDriver driver;
        TestPeer black;
        REQUIRE(connectRemoteBlack(driver, black, "30"));
        MemoryWatch memory;
        driver.play("B2", "B3");
        QVERIFY(black.waitFor("3 B2 - B3"));
        const QByteArray burst = badLines(10000);
        QElapsedTimer answering;
        answering.start();
        black.send(burst);
        const QByteArray refusals(10000, '4');
        QVERIFY(black.waitFor(refusals, 60000));
        const qint64 answeringMs = answering.elapsed();
        REQUIRE(expectGame(driver, {"B2 - B3"}, 1, QStringLiteral("En attente du coup noir"), {}));
        QVERIFY(static_cast<SocketPlayer *>(driver.controller()->player2)->timer->isActive());
        black.send("A7 - A6\n");
        QTRY_COMPARE(driver.moveLines().size(), 2);
        driver.play("C2", "C3");
        QVERIFY(black.waitFor("3 C2 - C3"));
        REQUIRE(expectGame(driver, {"B2 - B3", "A7 - A6", "C2 - C3"}, 1,
                           QStringLiteral("En attente du coup noir"), {}));
        QCOMPARE(black.received, boardMessage("2 ") + "3 B2 - B3" + refusals + "3 C2 - C3");
        memory.report("bad lines", QStringLiteral("peer sent %1 bytes in 10000 bad lines, program answered %2 "
                                                  "bytes; all refusals within %3 ms")
                                       .arg(burst.size() + 8)
                                       .arg(black.received.size())
                                       .arg(answeringMs));
        QVERIFY2(memory.keptToBound(), QByteArray::number(memory.peakGrowthKb()));
    }

    // Red's move one byte per segment, each well within the wait that would turn a
    // fragment into a line: played once, never refused, and black hears it once.
    void legalMoveSplitByteByByte()
    {
        WindowDriver driver;
        TestPeer red, black;
        REQUIRE(connectRemotes(driver, red, "30", black, "30"));
        MemoryWatch memory;
        QSignalSpy arrivals(static_cast<SocketPlayer *>(driver.controller()->player1)->socket, SIGNAL(readyRead()));
        const QByteArray line = "B2 - B3\n";
        for (int i = 0; i < line.size(); ++i) {
            QCOMPARE(driver.moveLines().size(), 0);
            red.send(line.mid(i, 1));
            QTest::qWait(20);
        }
        QTRY_COMPARE(driver.moveLines().size(), 1);
        QTest::qWait(300); // longer than the fragment wait: nothing left to replay
        QVERIFY2(arrivals.count() >= line.size(), QByteArray::number(arrivals.count()));
        REQUIRE(expectGame(driver, {"B2 - B3"}, 1, QStringLiteral("En attente du coup noir"), {}));
        QCOMPARE(red.received, boardMessage("1 "));
        QVERIFY(black.waitFor("3 B2 - B3"));
        QCOMPARE(black.received, boardMessage("2 ") + "3 B2 - B3");
        black.send("A7 - A6\n");
        QVERIFY(red.waitFor("3 A7 - A6"));
        memory.report("byte by byte", QStringLiteral("peer sent %1 bytes in %2 segments, program answered %3 "
                                                     "bytes")
                                          .arg(line.size())
                                          .arg(arrivals.count())
                                          .arg(red.received.size()));
        QVERIFY2(memory.keptToBound(), QByteArray::number(memory.peakGrowthKb()));
    }

    // Moves ended by CRLF, one of them with the line feed in a later segment.
    void crlfLinesAreAccepted()
    {
        WindowDriver driver;
        TestPeer red, black;
        REQUIRE(connectRemotes(driver, red, "30", black, "30"));
        MemoryWatch memory;
        qint64 sent = 0;
        const auto send = [&sent](TestPeer &peer, const QByteArray &bytes) {
            peer.send(bytes);
            sent += bytes.size();
        };
        send(red, "B2 - B3\r\n");
        QVERIFY(black.waitFor("3 B2 - B3"));
        send(black, "A7 - A6\r");
        QTest::qWait(50);
        send(black, "\n");
        QVERIFY(red.waitFor("3 A7 - A6"));
        send(red, "C2C3\r\n");
        QVERIFY(black.waitFor("3 C2 - C3"));
        send(black, "H7-H6\r\n");
        QVERIFY(red.waitFor("3 H7 - H6"));
        REQUIRE(expectGame(driver, {"B2 - B3", "A7 - A6", "C2 - C3", "H7 - H6"}, 0,
                           QStringLiteral("En attente du coup rouge"), {}));
        QCOMPARE(red.received, boardMessage("1 ") + "3 A7 - A6" + "3 H7 - H6");
        QCOMPARE(black.received, boardMessage("2 ") + "3 B2 - B3" + "3 C2 - C3");
        memory.report("CRLF", QStringLiteral("peers sent %1 bytes, program answered %2 bytes")
                                  .arg(sent)
                                  .arg(red.received.size() + black.received.size()));
        QVERIFY2(memory.keptToBound(), QByteArray::number(memory.peakGrowthKb()));
    }
};

QTEST_MAIN(TestHostileStreams)
#include "tst_hostilestreams.moc"
