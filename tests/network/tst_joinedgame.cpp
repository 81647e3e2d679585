// SPDX-License-Identifier: GPL-3.0-or-later
// A game joined from another Zarvik: two controllers in one process, one hosting on a
// free port of the loopback interface and one joining it, each with a person who
// enters moves; and the joining side against hosts played by the test that send
// garbage, stall or leave.
#include "Extension.h"
#include "GameController.h"
#include "MoveList.h"
#include "ZarvikBoard.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

constexpr int patience = 30000;
const QString localHost = QStringLiteral("127.0.0.1");

// The person's choice: the last legal move, which heads for the far row.
Move personsMove(const GameController &controller)
{
    MoveList moves;
    controller.model()->position().generateMoves(*controller.game()->humanSide(), moves);
    return moves.moves[moves.count - 1];
}

// Red's stone on A1 walks to A8 while black's small stone on H5 reaches the bottom
// row and then passes, twice: the host tells the joining side of those moves only by
// a board or the winning move.
QString passingStart()
{
    ZarvikBoard board;
    for (auto &column : board.cells)
        std::fill(column.begin(), column.end(), Piece::empty);
    board.cells[0][7] = Piece::redStone;
    board.cells[7][3] = Piece::smallBlackStone;
    GameRecord record;
    record.setStart(board, Side::Red);
    return record.tag(QStringLiteral("Start"));
}

// The joining side's settings: a free port of its own, and a host silent for a second stalls.
GameController::Settings guestSettings()
{
    GameController::Settings settings;
    settings.port = 0;
    settings.computerPauseMs = 0;
    settings.hostSilenceMs = 1000;
    return settings;
}

} // namespace

class TestJoinedGame : public QObject
{
    Q_OBJECT

private:
    // A host played by the test, one that knows only the protocol of programs: it
    // refuses the joining window's question about the extension as a line out of
    // turn. The joining controller connects to it and, as its person, plays red's
    // first move on the initial board.
    void joinScriptedHost(QTcpServer &server, GameController &guest, QTcpSocket *&host)
    {
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        guest.joinGame(localHost, server.serverPort());
        QVERIFY(server.waitForNewConnection(patience));
        host = server.nextPendingConnection();
        QTRY_VERIFY(host->canReadLine());
        QCOMPARE(host->readLine(), Extension::hello());
        host->write("4");
        ZarvikBoard board;
        board.resetToInitial();
        host->write("1 " + board.toText().toLatin1());
        QTRY_COMPARE(guest.game()->humanSide(), std::optional<Side>(Side::Red));
        guest.game()->playMove(Move(1, 6, 1, 5));
        QTRY_VERIFY(host->canReadLine());
        QCOMPARE(host->readLine(), QByteArray("B2 - B3\n"));
    }

private slots:
    void peoplePlayAWholeGame_data()
    {
        QTest::addColumn<bool>("joinsRed");
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("sameMoves");
        QTest::newRow("joins as black") << false << QString() << true;
        QTest::newRow("joins as red") << true << QString() << true;
        // Black is told only the winning move after passing twice, not red's two moves
        // before it: its record has two moves that lead there, maybe not those played.
        QTest::newRow("black passes, joins as black") << false << passingStart() << false;
        QTest::newRow("black passes, joins as red") << true << passingStart() << true;
    }

    // Both records are the same game, with the same result, and each window told the
    // same end.
    void peoplePlayAWholeGame()
    {
        QFETCH(bool, joinsRed);
        QFETCH(QString, start);
        QFETCH(bool, sameMoves);
        const Side joinedSide = joinsRed ? Side::Red : Side::Black;
        GameController host(GameController::Settings{0, 0});
        GameController guest(guestSettings());
        QSignalSpy hostEnd(host.game(), &Game::ended);
        QSignalSpy guestEnd(guest.game(), &Game::ended);
        std::optional<Side> joined;
        connect(guest.seating(), &Seating::sideJoined, this, [&joined](Side side) { joined = side; });
        GameOptions options;
        options.position = start;
        (joinedSide == Side::Red ? options.red : options.black).kind = PlayerKind::Socket;
        host.seating()->setListening(QHostAddress::LocalHost, 0);
        host.startGame(options);
        guest.joinGame(localHost, host.serverPort());
        QTRY_COMPARE(joined, std::optional<Side>(joinedSide));
        while (hostEnd.isEmpty() || guestEnd.isEmpty()) {
            QVERIFY(QTest::qWaitFor([&] { return host.game()->humanSide() || guest.game()->humanSide() || !guestEnd.isEmpty(); },
                                    patience));
            QVERIFY2(!guestEnd.isEmpty() || !guest.game()->canUndo(), "undo against the host");
            for (GameController *person : {&host, &guest})
                if (person->game()->humanSide())
                    person->game()->playMove(personsMove(*person));
            QTRY_VERIFY(guestEnd.size() == hostEnd.size());
        }
        QCOMPARE(guestEnd[0][0].value<GameResult>(), hostEnd[0][0].value<GameResult>());
        QCOMPARE(guestEnd[0][0].value<GameResult>().how, GameResult::Ending::GoalRow);
        const GameRecord guestRecord = guest.game()->record();
        GameRecord hostRecord = host.game()->record();
        QCOMPARE(guestRecord.moves.size(), hostRecord.moves.size());
        QCOMPARE(guestRecord.moves.back(), hostRecord.moves.back());
        for (size_t i = 0; !sameMoves && i < hostRecord.moves.size(); ++i)
            if (hostRecord.moves[i] != GameRecord::pass)
                hostRecord.moves[i] = guestRecord.moves[i];
        // Each window names its own person "Humain" and the other side "Réseau".
        for (const char *side : {"Red", "Black"}) {
            QVERIFY(hostRecord.tag(side) != guestRecord.tag(side));
            hostRecord.setTag(side, guestRecord.tag(side));
        }
        QCOMPARE(guestRecord.toText(), hostRecord.toText());
        QVERIFY(guest.model()->isFinished());
    }

    void hostFails_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<Player::Failure>("failure");
        QTest::newRow("garbage") << QByteArray("9 nonsense") << false << Player::Failure::Garbage;
        QTest::newRow("illegal reply") << QByteArray("3 A2 - A3") << false << Player::Failure::Garbage;
        QTest::newRow("never answers") << QByteArray() << false << Player::Failure::Silence;
        QTest::newRow("closes mid-message") << QByteArray("3 B7") << true << Player::Failure::Disconnection;
        QTest::newRow("refuses the move") << QByteArray("4") << false << Player::Failure::Refusal;
    }

    // After the person's first move the host misbehaves: the game is cancelled for
    // that reason, the move is kept in an unfinished record, and the connection is closed.
    void hostFails()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, closes);
        QFETCH(Player::Failure, failure);
        QTcpServer server;
        GameController guest(guestSettings());
        QSignalSpy ended(guest.game(), &Game::ended);
        QTcpSocket *host = nullptr;
        joinScriptedHost(server, guest, host);
        host->write(bytes);
        if (closes)
            host->disconnectFromHost();
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, patience);
        const GameResult result = ended[0][0].value<GameResult>();
        QCOMPARE(result.failure, std::optional<Player::Failure>(failure));
        QCOMPARE(result.loser, std::optional<Side>(Side::Black));
        QCOMPARE(guest.model()->termination(), GameRecord::byDisconnection);
        QCOMPARE(guest.game()->record().moves.size(), size_t(1));
        QCOMPARE(guest.model()->result(), GameRecord::unfinished);
        QVERIFY(!guest.game()->turn() && !guest.game()->humanSide());
        QTRY_COMPARE(host->state(), QAbstractSocket::UnconnectedState);
    }

    void bothWindowsEndAlike_data()
    {
        QTest::addColumn<QString>("event");
        for (const char *who : {"guest", "host"})
            for (const char *what : {"resigns", "runs out of time", "leaves", "disconnects"})
                QTest::addRow("%s %s", who, what) << QStringLiteral("%1 %2").arg(who, what);
    }

    // A person at the host plays red against a person at a window that joined it
    // and plays black; whoever resigns, runs out of time, stops the game or loses the
    // connection, both records end the same way after the same plies.
    void bothWindowsEndAlike()
    {
        QFETCH(QString, event);
        const bool byGuest = event.startsWith(QLatin1String("guest"));
        const auto is = [&event](const char *what) { return event.endsWith(QLatin1String(what)); };
        GameController host(GameController::Settings{0, 0});
        GameController guest(guestSettings());
        GameOptions options;
        options.red.timer = options.black.timer = true;
        // The host's person has longer than the guest waits for a silent host: a host
        // that keeps a limit is not silent before its side has spent it.
        options.red.seconds = byGuest ? 60 : 2;
        options.black.seconds = byGuest ? 0 : 60; // a remote side has half a second more
        options.black.kind = PlayerKind::Socket;
        host.seating()->setListening(QHostAddress::LocalHost, 0);
        host.startGame(options);
        guest.joinGame(localHost, host.serverPort());
        QTRY_VERIFY(host.game()->humanSide());
        host.game()->playMove(Move(1, 6, 1, 5));
        QTRY_VERIFY(guest.game()->humanSide());
        for (Side side : bothSides) // the host's limits, shown at the guest
            QCOMPARE(guest.game()->clock(side).limit(), host.game()->clock(side).limit());
        GameController &actor = byGuest ? guest : host;
        if (!byGuest) {
            guest.game()->playMove(personsMove(guest));
            QTRY_VERIFY(host.game()->humanSide());
        }
        if (is("resigns"))
            actor.game()->resign();
        else if (is("leaves"))
            actor.stopGame();
        else if (is("disconnects"))
            actor.findChild<QTcpSocket *>()->abort();
        const auto ended = [](const GameController &each) { return each.model()->termination() != GameRecord::byNothingYet; };
        QVERIFY(QTest::qWaitFor([&] { return ended(host) && ended(guest); }, patience));
        GameRecord hostRecord = host.game()->record();
        const GameRecord guestRecord = guest.game()->record();
        for (const char *side : {"Red", "Black"})
            hostRecord.setTag(side, guestRecord.tag(side));
        QCOMPARE(guestRecord.toText(), hostRecord.toText());
        QCOMPARE(int(hostRecord.moves.size()), byGuest ? 1 : 2);
        const QString ending = is("resigns") ? GameRecord::byResignation
                               : is("time") ? GameRecord::byTimeOut
                               : is("leaves") ? GameRecord::byAbandon
                                              : GameRecord::byDisconnection;
        QCOMPARE(hostRecord.tag(GameModel::terminationTag), ending);
    }

    void aProgramHearsNothingNew_data()
    {
        QTest::addColumn<bool>("timeOut");
        QTest::newRow("the person resigns") << false;
        QTest::newRow("the program runs out of time") << true;
    }

    // A program that never asked for the extension gets the bytes of the protocol
    // alone, whatever ends the game; its own "x" lines are no moves.
    void aProgramHearsNothingNew()
    {
        QFETCH(bool, timeOut);
        GameController host(GameController::Settings{0, 0});
        GameOptions options;
        options.black.kind = PlayerKind::Socket;
        options.black.seconds = timeOut ? 0 : 60;
        host.seating()->setListening(QHostAddress::LocalHost, 0);
        host.startGame(options);
        QTcpSocket program;
        QByteArray heard;
        connect(&program, &QTcpSocket::readyRead, this, [&] { heard += program.readAll(); });
        program.connectToHost(QHostAddress::LocalHost, host.serverPort());
        QTRY_VERIFY(host.game()->humanSide());
        host.game()->playMove(Move(1, 6, 1, 5));
        ZarvikBoard board;
        board.resetToInitial();
        QByteArray expected = "2 " + board.toText().toLatin1() + "3 B2 - B3";
        QTRY_COMPARE(heard, expected);
        program.write("x resign\n");
        expected += "4";
        QTRY_COMPARE(heard, expected);
        if (timeOut) {
            // Out of time after a refused line: it was trying moves it may not play.
            QTRY_COMPARE(host.model()->termination(), GameRecord::byIllegalMove);
            program.write("G7 - G6\n");
            expected += "4";
        } else {
            program.write("G7 - G6\n");
            QTRY_VERIFY(host.game()->humanSide());
            host.game()->resign();
            QCOMPARE(host.model()->termination(), GameRecord::byResignation);
        }
        host.startGame(GameOptions());
        QTRY_COMPARE(program.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(heard, expected);
    }

    // Nothing to join: a closed port, or a host that never starts a game.
    void noGameToJoin()
    {
        GameController guest(guestSettings());
        QSignalSpy failed(&guest, &GameController::startFailed);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        guest.joinGame(localHost, server.serverPort());
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, patience);
        QCOMPARE(failed[0][1].toString(), QStringLiteral("L'hôte n'a pas commencé de partie."));
        const quint16 closedPort = server.serverPort();
        server.close();
        guest.joinGame(localHost, closedPort);
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 2, patience);
        QVERIFY2(failed[1][1].toString().startsWith(QStringLiteral("Impossible de joindre l'hôte : ")),
                 qPrintable(failed[1][1].toString()));
        QVERIFY(!guest.game()->turn());
    }
};

QTEST_MAIN(TestJoinedGame)
#include "tst_joinedgame.moc"
