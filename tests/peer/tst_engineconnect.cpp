// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZarvikBoard.h"

#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

// zarvik-engine connect against a program played by the test.
class TestEngineConnect : public QObject
{
    Q_OBJECT

private slots:
    // The program's part: bytes to send, each arriving on its own; "<" awaits a move
    // line from the engine, "" closes the connection. With no part, nothing listens.
    // The outcome is matched against the engine's output, errors and exit code.
    void playsAgainstAScript_data()
    {
        QTest::addColumn<QByteArrayList>("script");
        QTest::addColumn<QString>("outcome");
        ZarvikBoard board;
        board.resetToInitial();
        const QByteArray initial = board.toText().toLatin1();
        QTest::newRow("refused") << QByteArrayList{"1 " + initial, "<", "4"} << "refused our move [A-H].*exit 4$";
        QTest::newRow("lost") << QByteArrayList{"2 " + initial + "3 B2", ""}
                              << "was lost.*middle of a message\nexit 3$";
        QTest::newRow("nothing listening") << QByteArrayList()
                                           << ": cannot connect to 127.0.0.1 port \\d+: Connection refused.*exit 2$";
    }

    void playsAgainstAScript()
    {
        QFETCH(QByteArrayList, script);
        QFETCH(QString, outcome);
        constexpr int waitMs = 60000;
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost, 0));
        const quint16 port = server.serverPort();
        if (script.isEmpty())
            server.close();
        QProcess engine;
        engine.start(QStringLiteral(ZARVIK_ENGINE), QStringLiteral("connect --level 1 --port %1").arg(port).split(' '));
        QTcpSocket *peer = server.waitForNewConnection(waitMs) ? server.nextPendingConnection() : nullptr;
        for (const QByteArray &step : script) {
            QVERIFY(peer);
            if (step == "<") {
                QTRY_VERIFY_WITH_TIMEOUT(peer->canReadLine(), waitMs);
                const QByteArray line = peer->readLine();
                Move move;
                QVERIFY2(move.parse(line.constData(), 8, 8) && line == move.toText(8, 8) + '\n', line.constData());
            } else if (step.isEmpty()) {
                peer->close();
            } else {
                peer->write(step);
                QTRY_COMPARE_WITH_TIMEOUT(peer->bytesToWrite(), 0, waitMs);
                QTest::qWait(20);
            }
        }
        QTRY_COMPARE_WITH_TIMEOUT(engine.state(), QProcess::NotRunning, waitMs);
        QCOMPARE(engine.exitStatus(), QProcess::NormalExit);
        const QString result = QString::fromUtf8(engine.readAllStandardOutput() + engine.readAllStandardError())
                               + QStringLiteral("exit %1").arg(engine.exitCode());
        QVERIFY2(result.contains(QRegularExpression(outcome, QRegularExpression::DotMatchesEverythingOption)),
                 qPrintable(result));
    }
};

QTEST_MAIN(TestEngineConnect)
#include "tst_engineconnect.moc"
