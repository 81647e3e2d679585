#include "GameController.h"
#include "WindowDriver.h"
#include "ZarvikBoard.h"

#include <QtTest>

// Games with the computer on one side or both.
class TestComputerGame : public QObject
{
    Q_OBJECT

private slots:
    void computersPlayAGameToItsEnd()
    {
        WindowDriver driver;
        driver.click("player1CpuRB");
        driver.click("player2CpuRB");
        driver.click("startGameButton");
        QTRY_COMPARE_WITH_TIMEOUT(driver.controller()->turn, 2, 300000);
        QCOMPARE(driver.dialogs.informations.size(), 1);
        const QString result = driver.dialogs.informations[0].section(QLatin1Char('|'), 1);
        QCOMPARE(driver.status(), result);
        const Board *board = driver.controller()->board;
        const int winner = board->hasWon(ZarvikBoard::red) ? 0 : 1;
        QVERIFY(board->hasWon(winner));
        QCOMPARE(result, winner == 0 ? QStringLiteral("Joueur 1 gagne la partie")
                                     : QStringLiteral("Joueur 2 gagne la partie"));
        const QStringList lines = driver.moveLines();
        QVERIFY(lines.size() >= 6);
        for (int i = 0; i < lines.size(); ++i)
            QVERIFY(lines[i].startsWith(QString::number(i + 1) + QStringLiteral(". ")));
        // The last move listed is the winner's.
        QCOMPARE(driver.moveColor(lines.size() - 1), QColor(winner == 0 ? Qt::red : Qt::black));
    }

    void aPersonPlaysAgainstTheComputer()
    {
        WindowDriver driver;
        driver.click("player2CpuRB");
        driver.click("startGameButton");
        driver.play("B2", "B3");
        QCOMPARE(driver.controller()->turn, 1);
        QVERIFY(!driver.controller()->acceptsHumanMove());
        driver.press("C2"); // not the person's turn: ignored
        QTRY_COMPARE_WITH_TIMEOUT(driver.moveLines().size(), 2, 60000);
        QCOMPARE(driver.controller()->turn, 0);
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge"));
        QCOMPARE(driver.moveColor(1), QColor(Qt::black));
    }

    void loadingABoardDiscardsARunningSearch()
    {
        WindowDriver driver;
        driver.click("player1CpuRB");
        driver.click("level3_player1_RB");
        driver.click("timerPlayer1CB"); // no time limit: the search would run for long
        driver.click("startGameButton");
        driver.browseBoard("0 0 0 0 0 0 0 0\n0 0 0 0 0 0 0 0\n0 0 0 2 0 0 0 0\n");
        QTest::qWait(300);
        QVERIFY(driver.moveLines().isEmpty());
        QCOMPARE(driver.controller()->board->cells[3][2], ZarvikBoard::blackStone);
        QCOMPARE(driver.controller()->turn, 2);
    }

    void aNewGameDuringASearchStartsCleanly()
    {
        WindowDriver driver;
        driver.click("player1CpuRB");
        driver.click("level3_player1_RB");
        driver.click("timerPlayer1CB");
        driver.click("startGameButton");
        driver.click("player1HumanRB");
        driver.click("startGameButton");
        QTest::qWait(300);
        QVERIFY(driver.moveLines().isEmpty());
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge..."));
        driver.play("B2", "B3");
        QCOMPARE(driver.moveLines(), QStringList({"1. B2 - B3"}));
    }
};

QTEST_MAIN(TestComputerGame)
#include "tst_computergame.moc"
