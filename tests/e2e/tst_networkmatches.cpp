// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameController.h"
#include "WindowDriver.h"
#include "ZarvikBoard.h"

#include <QRegularExpression>
#include <QtTest>

namespace {

// Generous: the machine may be loaded, and a sanitizer build is slow.
constexpr int connectMs = 60000;
constexpr int gameMs = 300000;

// A remote program: zarvik-engine connect on the port the controller listens on.
void startEngine(QProcess &engine, const GameController &controller)
{
    engine.start(QStringLiteral(ZARVIK_ENGINE), QStringLiteral("connect --level 1 --time 1 --verbose --port %1")
                                                    .arg(controller.serverPort())
                                                    .split(' '));
}

} // namespace

class TestNetworkMatches : public QObject
{
    Q_OBJECT

    // Replays the window's move list ("12. B2 - B3", "12. [B2 - C3]" for a capture):
    // numbered in order, legal for the side to move (a side without a move passes),
    // a capture exactly when it takes a stone, only the last
    // one winning. Then the box and status bar name the winner, and every remote
    // program ended well, having sent exactly its side's moves.
    static void checkFinishedGame(WindowDriver &driver, QProcess *engines[2])
    {
        static const QRegularExpression form(QStringLiteral("^(\\d+)\\. (\\[?)([A-H][1-8] - [A-H][1-8])(\\]?)$"));
        ZarvikBoard board;
        board.resetToInitial();
        QStringList sentBy[2]; // as the engines trace them: -> "B2 - B3\n"
        QString lastMove;
        Side side = Side::Red;
        std::optional<Side> winner;
        const QStringList lines = driver.moveLines();
        for (int i = 0; i < lines.size(); ++i, side = ~side) {
            QVERIFY(!winner);
            if (lines[i] == QStringLiteral("%1. --").arg(i + 1)) {
                QVERIFY(!board.canMove(side) && board.canMove(~side));
                continue;
            }
            const QRegularExpressionMatch listed = form.match(lines[i]);
            QVERIFY2(listed.hasMatch() && listed.captured(1).toInt() == i + 1, qPrintable(lines[i]));
            Move move;
            QVERIFY(move.parse(listed.captured(3).toLatin1().constData(), 8, 8) && board.isLegal(move, side));
            board.applyMove(move);
            QCOMPARE(listed.captured(2) + listed.captured(4), QString(move.captured ? "[]" : ""));
            lastMove = listed.captured(3);
            sentBy[indexOf(side)] << QStringLiteral("-> \"%1\\n\"").arg(lastMove);
            winner = board.hasWon(side) ? side : winner;
        }
        QVERIFY(winner);
        const QString text = QStringLiteral("Joueur %1 gagne la partie").arg(winner == Side::Red ? 1 : 2);
        QTRY_COMPARE(driver.dialogs.informations, QStringList{QStringLiteral("Partie terminée|") + text});
        QCOMPARE(driver.status(), text);
        for (int engine : {0, 1}) {
            QProcess *process = engines[engine];
            if (!process)
                continue;
            const QString trace = QString::fromUtf8(process->readAllStandardError());
            QVERIFY2(process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0
                         && !trace.contains(QStringLiteral("warning")),
                     qPrintable(trace));
            QCOMPARE(QString::fromUtf8(process->readAllStandardOutput()),
                     QStringLiteral("%1 as %2, last move %3\n")
                         .arg(winner == Side(engine) ? "won" : "lost", engine ? "black" : "red", lastMove));
            QCOMPARE(trace.split('\n').filter(QRegularExpression(QStringLiteral("^-> "))), sentBy[engine]);
        }
    }

private slots:
    void enginesPlayAGameToTheEnd_data()
    {
        QTest::addColumn<bool>("redIsRemote");
        QTest::newRow("both sides \"Réseau\"") << true;
        QTest::newRow("black against \"Ordinateur\"") << false;
    }

    // Red's program is started once the program waits for it, black's once red is there.
    void enginesPlayAGameToTheEnd()
    {
        QFETCH(bool, redIsRemote);
        WindowDriver driver;
        QProcess red, black;
        QProcess *engines[2] = {redIsRemote ? &red : nullptr, &black};
        driver.click(redIsRemote ? "player1SocketRB" : "player1CpuRB");
        driver.click("player2SocketRB");
        driver.click("startGameButton");
        if (redIsRemote) {
            QCOMPARE(driver.status(), QStringLiteral("Attente de connection du joueur 1 (rouge)..."));
            startEngine(red, *driver.controller());
        }
        QTRY_COMPARE_WITH_TIMEOUT(driver.status(), QStringLiteral("Attente de connection du joueur 2 (noir)..."),
                                  connectMs);
        startEngine(black, *driver.controller());
        const auto ended = [&] { return red.state() == QProcess::NotRunning && black.state() == QProcess::NotRunning; };
        QTRY_VERIFY2_WITH_TIMEOUT(ended(), qPrintable(driver.dialogs.informations.join('\n')), gameMs);
        checkFinishedGame(driver, engines);
    }
};

QTEST_MAIN(TestNetworkMatches)
#include "tst_networkmatches.moc"
