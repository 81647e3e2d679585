#include "ZarvikBoard.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

constexpr int waitMs = 60000;

QByteArray initialBoardText()
{
    ZarvikBoard board;
    board.resetToInitial();
    return board.toText().toLatin1();
}

// Plays the program's part by hand: listens on a free port of its own (not the
// program's), accepts the engine and sends what a test tells it to.
class ScriptedProgram
{
public:
    ScriptedProgram() { QVERIFY(server.listen(QHostAddress::LocalHost, 0)); }

    // Starts zarvik-engine connect on this port and accepts its connection.
    bool startEngine()
    {
        engine.start(QStringLiteral(ZARVIK_ENGINE),
                     QStringList{QStringLiteral("connect"), QStringLiteral("--port"),
                                 QString::number(server.serverPort()), QStringLiteral("--level"), QStringLiteral("1"),
                                 QStringLiteral("--verbose")});
        if (!server.waitForNewConnection(waitMs))
            return false;
        peer = server.nextPendingConnection();
        return peer != nullptr;
    }

    void send(const QByteArray &bytes)
    {
        peer->write(bytes);
        peer->waitForBytesWritten(waitMs);
    }

    // The next line from the engine, its line feed included; empty if none came.
    QByteArray line()
    {
        while (!peer->canReadLine())
            if (!peer->waitForReadyRead(waitMs))
                return QByteArray();
        return peer->readLine();
    }

    // Reads a move line of the side, legal on board and written as the program
    // writes moves, and applies it; false (with the line shown) otherwise.
    bool expectMove(ZarvikBoard &board, int side)
    {
        const QByteArray text = line();
        Move move;
        if (!move.parse(text.constData(), 8, 8) || !board.isLegal(move, side)
            || text != move.toText(8, 8).toLatin1() + '\n') {
            qWarning("not a legal move line: \"%s\"", text.constData());
            return false;
        }
        board.applyMove(move);
        return true;
    }

    bool finished() { return engine.waitForFinished(waitMs) && engine.exitStatus() == QProcess::NormalExit; }
    QString errors() { return QString::fromUtf8(engine.readAllStandardError()); }

    QTcpServer server;
    QTcpSocket *peer = nullptr;
    QProcess engine;
};

} // namespace

// zarvik-engine connect against a program played by the test.
class TestEngineConnect : public QObject
{
    Q_OBJECT

private slots:
    void playsRedUntilTheFinalMessage()
    {
        ScriptedProgram program;
        QVERIFY(program.startEngine());
        ZarvikBoard board;
        board.resetToInitial();
        program.send("1 " + initialBoardText());
        QVERIFY(program.expectMove(board, ZarvikBoard::red));
        Move black(0, 1, 0, 2);
        QVERIFY(board.isLegal(black, ZarvikBoard::black));
        board.applyMove(black);
        program.send("3 A7 - A6");
        QVERIFY(program.expectMove(board, ZarvikBoard::red));
        program.send("5 H7 - H6"); // ends the game whatever the move
        QVERIFY(program.finished());
        QCOMPARE(program.engine.exitCode(), 0);
        QCOMPARE(program.engine.readAllStandardOutput(), QByteArray("lost as red, last move H7 - H6\n"));
        const QString trace = program.errors();
        QVERIFY2(trace.contains(QStringLiteral("<- \"1 2 2 ")), qPrintable(trace));
        QVERIFY2(trace.contains(QStringLiteral("<- \"3 A7 - A6\"\n-> \"")), qPrintable(trace));
        QVERIFY2(trace.contains(QStringLiteral("-- we play red")), qPrintable(trace));
    }

    // The board and the first move arrive joined, the next move one byte at a time.
    void readsJoinedAndSplitMessages()
    {
        ScriptedProgram program;
        QVERIFY(program.startEngine());
        ZarvikBoard board;
        board.resetToInitial();
        Move red(1, 6, 1, 5);
        board.applyMove(red);
        program.send("2 " + initialBoardText() + "3 B2 - B3");
        QVERIFY(program.expectMove(board, ZarvikBoard::black));
        Move second(2, 6, 2, 5);
        QVERIFY(board.isLegal(second, ZarvikBoard::red));
        board.applyMove(second);
        for (const char byte : QByteArray("3 C2 - C3")) {
            program.send(QByteArray(1, byte));
            QTest::qWait(20);
        }
        QVERIFY(program.expectMove(board, ZarvikBoard::black));
        program.send("5 C3 - C4");
        QVERIFY(program.finished());
        QCOMPARE(program.engine.exitCode(), 0);
    }

    void aRefusedMoveEndsTheEngine()
    {
        ScriptedProgram program;
        QVERIFY(program.startEngine());
        program.send("1 " + initialBoardText());
        const QByteArray move = program.line().trimmed();
        program.send("4");
        QVERIFY(program.finished());
        QCOMPARE(program.engine.exitCode(), 4);
        const QString errors = program.errors();
        QVERIFY2(errors.contains(QStringLiteral("refused our move ") + QString::fromLatin1(move)), qPrintable(errors));
    }

    void aLostConnectionEndsTheEngine()
    {
        ScriptedProgram program;
        QVERIFY(program.startEngine());
        program.send("2 " + initialBoardText() + "3 B2");
        program.peer->close();
        QVERIFY(program.finished());
        QCOMPARE(program.engine.exitCode(), 3);
        const QString errors = program.errors();
        QVERIFY2(errors.contains(QStringLiteral("connection to the program was lost")), qPrintable(errors));
        QVERIFY2(errors.contains(QStringLiteral("in the middle of a message")), qPrintable(errors));
    }

    void anUnreadableMessageEndsTheEngine()
    {
        ScriptedProgram program;
        QVERIFY(program.startEngine());
        program.send("2 2 2 x");
        QVERIFY(program.finished());
        QCOMPARE(program.engine.exitCode(), 5);
        QVERIFY(program.errors().contains(QStringLiteral("unreadable message from the program")));
    }

    // Nothing listens on a port just given back by the system.
    void noProgramListening()
    {
        quint16 port = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            port = probe.serverPort();
        }
        QProcess engine;
        engine.start(QStringLiteral(ZARVIK_ENGINE),
                     {QStringLiteral("connect"), QStringLiteral("--port"), QString::number(port)});
        QVERIFY(engine.waitForFinished(waitMs));
        QCOMPARE(engine.exitCode(), 2);
        const QString errors = QString::fromUtf8(engine.readAllStandardError());
        QVERIFY2(errors.contains(QStringLiteral("cannot connect to 127.0.0.1 port %1").arg(port)), qPrintable(errors));
        QVERIFY2(errors.contains(QStringLiteral("refused")), qPrintable(errors));
        QVERIFY(engine.readAllStandardOutput().isEmpty());
    }

    void badArgumentsAreRefused_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("level 4") << QStringList{QStringLiteral("--level"), QStringLiteral("4")};
        QTest::newRow("port 0") << QStringList{QStringLiteral("--port"), QStringLiteral("0")};
        QTest::newRow("negative time") << QStringList{QStringLiteral("--time"), QStringLiteral("-1")};
        QTest::newRow("two hosts") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    }

    void badArgumentsAreRefused()
    {
        QFETCH(QStringList, arguments);
        QProcess engine;
        engine.start(QStringLiteral(ZARVIK_ENGINE), QStringList{QStringLiteral("connect")} + arguments);
        QVERIFY(engine.waitForFinished(waitMs));
        QCOMPARE(engine.exitCode(), 1);
        QVERIFY(!engine.readAllStandardError().isEmpty());
    }
};

QTEST_MAIN(TestEngineConnect)
#include "tst_engineconnect.moc"
