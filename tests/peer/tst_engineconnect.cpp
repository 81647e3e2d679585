#include "ZarvikBoard.h"

#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {

constexpr int waitMs = 60000;

QByteArray initialBoard(char code)
{
    ZarvikBoard board;
    board.resetToInitial();
    return QByteArray(1, code) + ' ' + board.toText().toLatin1();
}

// What the engine writes once it has ended, with its exit code.
QString runEngine(quint16 port, const std::function<bool()> &playProgram = [] { return true; })
{
    QProcess engine;
    engine.start(QStringLiteral(ZARVIK_ENGINE), {QStringLiteral("connect"), QStringLiteral("--port"),
                                                 QString::number(port), QStringLiteral("--level"), QStringLiteral("1")});
    const bool played = playProgram();
    engine.waitForFinished(waitMs);
    if (!played || engine.state() != QProcess::NotRunning || engine.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("not played");
    return QString::fromUtf8(engine.readAllStandardOutput() + engine.readAllStandardError())
           + QStringLiteral("exit %1").arg(engine.exitCode());
}

} // namespace

// zarvik-engine connect against a program played by the test.
class TestEngineConnect : public QObject
{
    Q_OBJECT

private slots:
    // The program's part: bytes to send, each arriving on its own; "<" awaits a move
    // line from the engine, "" closes the connection.
    void playsAgainstAScript_data()
    {
        QTest::addColumn<QByteArrayList>("script");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("joined and split") << QByteArrayList{initialBoard('2') + "3 B2 - B3", "<", "3 C", "2 - ", "C3",
                                                            "<", "5 C3 - C4"}
                                          << "^lost as black, last move C3 - C4\nexit 0$";
        QTest::newRow("refused") << QByteArrayList{initialBoard('1'), "<", "4"} << "refused our move [A-H].*exit 4$";
        QTest::newRow("lost") << QByteArrayList{initialBoard('2') + "3 B2", ""}
                              << "was lost.*middle of a message\nexit 3$";
        QTest::newRow("unreadable") << QByteArrayList{"2 2 2 x"} << "unreadable message.*exit 5$";
    }

    void playsAgainstAScript()
    {
        QFETCH(QByteArrayList, script);
        QFETCH(QString, outcome);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        const QString result = runEngine(server.serverPort(), [&] {
            QTcpSocket *peer = server.waitForNewConnection(waitMs) ? server.nextPendingConnection() : nullptr;
            for (const QByteArray &step : script) {
                if (!peer)
                    return false;
                if (step == "<") {
                    while (!peer->canReadLine())
                        if (!peer->waitForReadyRead(waitMs))
                            return false;
                    const QByteArray line = peer->readLine();
                    Move move;
                    if (!move.parse(line.constData(), 8, 8) || line != move.toText(8, 8).toLatin1() + '\n')
                        return false;
                } else if (step.isEmpty()) {
                    peer->close();
                } else {
                    peer->write(step);
                    peer->waitForBytesWritten(waitMs);
                    QTest::qWait(20);
                }
            }
            return true;
        });
        QVERIFY2(result.contains(QRegularExpression(outcome, QRegularExpression::DotMatchesEverythingOption)),
                 qPrintable(result));
    }

    // Nothing listens on a port just given back by the system.
    void noProgramListening()
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const quint16 port = probe.serverPort();
        probe.close();
        const QString result = runEngine(port);
        QVERIFY2(result.contains(QStringLiteral("cannot connect to 127.0.0.1 port %1: Connection refused").arg(port))
                     && result.endsWith(QStringLiteral("exit 2")),
                 qPrintable(result));
    }
};

QTEST_MAIN(TestEngineConnect)
#include "tst_engineconnect.moc"
