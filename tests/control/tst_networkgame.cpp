#include "GameController.h"
#include "TestPeer.h"
#include "WindowDriver.h"
#include "ZarvikBoard.h"

#include <QHostAddress>
#include <QLineEdit>
#include <QTcpServer>
#include <QtTest>

namespace {
const QByteArray initialBoardText = QByteArray("2 ").repeated(16) + QByteArray("0 ").repeated(32)
                                    + QByteArray("4 ").repeated(16);
const QByteArray redAboutToWin = "0 0 0 0 0 0 0 0\n0 4 0 0 0 0 0 0\n0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0\n";
} // namespace

// Games against remote programs, played by the test over loopback.
class TestNetworkGame : public QObject
{
    Q_OBJECT

private:
    // A person plays red against a remote black program that has connected.
    void startAgainstRemoteBlack(WindowDriver &driver, TestPeer &black)
    {
        driver.click("player2SocketRB");
        driver.click("startGameButton");
        QCOMPARE(driver.status(), QStringLiteral("Attente de connection du joueur 2 (noir)..."));
        QVERIFY(black.connectToProgram());
        QVERIFY(black.waitFor("2 "));
        QTRY_COMPARE(driver.status(), QStringLiteral("En attente du coup rouge..."));
    }

private slots:
    void aRemoteProgramPlaysBlack()
    {
        WindowDriver driver;
        driver.click("player2SocketRB");
        driver.click("startGameButton");
        driver.play("B2", "B3"); // refused: black has not connected yet
        QVERIFY(driver.moveLines().isEmpty());
        TestPeer black;
        QVERIFY(black.connectToProgram());
        QVERIFY(black.waitFor("2 " + initialBoardText));
        QCOMPARE(black.received, "2 " + initialBoardText);
        QTRY_COMPARE(driver.status(), QStringLiteral("En attente du coup rouge..."));
        driver.play("B2", "B3");
        QVERIFY(black.waitFor("3 B2 - B3"));
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup noir"));
        black.send("A7 - A6\n");
        QTRY_COMPARE(driver.moveLines(), QStringList({"1. B2 - B3", "2. A7 - A6"}));
        QCOMPARE(driver.controller()->turn, 0);
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge"));
    }

    void theWinningMoveReachesTheRemoteProgram()
    {
        WindowDriver driver;
        driver.browseBoard(redAboutToWin);
        driver.click("customBoardRB");
        TestPeer black;
        startAgainstRemoteBlack(driver, black);
        // The peer disconnects at once after the final message, while the box is open.
        driver.dialogs.whileBoxOpen = [&] {
            QVERIFY(black.waitFor("5 B7 - B8"));
            black.socket.disconnectFromHost();
            QTest::qWait(100);
        };
        driver.play("B7", "B8");
        QCOMPARE(driver.dialogs.informations, QStringList({"Partie terminée|Joueur 1 gagne la partie"}));
        QCOMPARE(driver.status(), QStringLiteral("Joueur 1 gagne la partie"));
        QTest::qWait(100);
        QCOMPARE(driver.dialogs.informations.size(), 1);
    }

    void aBusyPortIsReported()
    {
        QTcpServer squatter;
        QVERIFY(squatter.listen(QHostAddress::Any, GameController::port));
        WindowDriver driver;
        driver.click("player2SocketRB");
        driver.click("startGameButton");
        QCOMPARE(driver.dialogs.informations.size(), 1);
        QVERIFY(driver.dialogs.informations[0].startsWith(QStringLiteral("Partie terminée|")));
        QVERIFY(driver.dialogs.informations[0].contains(QStringLiteral("8888")));
        QVERIFY(!driver.status().startsWith(QStringLiteral("Attente de connection")));
        QCOMPARE(driver.controller()->turn, 2);
    }
};

QTEST_MAIN(TestNetworkGame)
#include "tst_networkgame.moc"
