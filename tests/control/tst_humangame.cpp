#include "GameController.h"
#include "TurnViewWidget.h"
#include "WindowDriver.h"
#include "ZarvikBoard.h"

#include <QListWidget>
#include <QtTest>

namespace {
// Red's stone on B7 is one step from the top row; black has one stone on A5.
const QByteArray redAboutToWin = "0 0 0 0 0 0 0 0\n0 4 0 0 0 0 0 0\n0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0\n";

// The colour of the turn indicator's stone, at its centre.
QColor turnColour(WindowDriver &driver)
{
    auto *view = driver.window->findChild<TurnViewWidget *>();
    return view->grab().toImage().pixelColor(35, 35);
}
} // namespace

// Games between two people, played by pressing on the board view.
class TestHumanGame : public QObject
{
    Q_OBJECT

private slots:
    void movesAreListedInTheMoversColours()
    {
        WindowDriver driver;
        driver.play("C2", "C3");
        driver.play("D7", "D6");
        driver.play("C3", "C4");
        driver.play("D6", "D5");
        driver.play("A2", "A3");
        driver.play("D5", "C4");
        QCOMPARE(driver.moveLines(),
                 QStringList({"1. C2 - C3", "2. D7 - D6", "3. C3 - C4", "4. D6 - D5", "5. A2 - A3",
                              "6. [D5 - C4]"}));
        QCOMPARE(driver.moveColor(0), QColor(Qt::red));
        QCOMPARE(driver.moveColor(5), QColor(Qt::black));
        QCOMPARE(driver.child<QListWidget>("moveListWidget")->currentRow(), 5);
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge"));
        QCOMPARE(driver.controller()->board->cells[2][4], ZarvikBoard::blackStone);
    }

    void turnIndicatorFollowsTheSideToMove()
    {
        WindowDriver driver;
        const QColor red = turnColour(driver);
        QVERIFY(red.red() > 150 && red.green() < 120);
        driver.play("B2", "B3");
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup noir"));
        const QColor black = turnColour(driver);
        QVERIFY(black.red() < 100);
        driver.click("startGameButton");
        QCOMPARE(turnColour(driver), red);
        QVERIFY(driver.moveLines().isEmpty());
    }

    void aWinIsAnnouncedAfterTheMoveIsListed()
    {
        WindowDriver driver;
        driver.startCustom(redAboutToWin);
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge..."));
        driver.dialogs.whileBoxOpen = [&] {
            QCOMPARE(driver.moveLines(), QStringList({"1. B7 - B8"}));
            QCOMPARE(driver.controller()->turn, 0); // the views still see the mover
            QVERIFY(!driver.controller()->acceptsHumanMove());
        };
        driver.play("B7", "B8");
        QCOMPARE(driver.dialogs.informations, QStringList({"Partie terminée|Joueur 1 gagne la partie"}));
        QCOMPARE(driver.status(), QStringLiteral("Joueur 1 gagne la partie"));
        QCOMPARE(driver.controller()->turn, 2);
        driver.play("A5", "A4"); // the game is over: presses change nothing
        QCOMPARE(driver.moveLines().size(), 1);
    }

    void illegalMovesAreRefused()
    {
        WindowDriver driver;
        Move backward(1, 6, 1, 7);
        driver.controller()->playMove(backward);
        Move blackOutOfTurn(0, 1, 0, 2);
        driver.controller()->playMove(blackOutOfTurn);
        QVERIFY(driver.moveLines().isEmpty());
        QCOMPARE(driver.controller()->board->cells[0][2], 0);
        QCOMPARE(driver.controller()->turn, 0);
    }

    void aSideWithoutMovesPasses()
    {
        WindowDriver driver;
        // Red has no stone left; black's only stone is one step from its goal.
        driver.startCustom(QByteArray("0 0 0 0 0 0 0 0\n").repeated(6) + "0 2 0 0 0 0 0 0\n");
        QCOMPARE(driver.status(), QStringLiteral("Le joueur rouge ne peut pas jouer, il passe son tour."));
        QCOMPARE(driver.controller()->turn, 1);
        driver.play("B2", "B1");
        QCOMPARE(driver.dialogs.informations, QStringList({"Partie terminée|Joueur 2 gagne la partie"}));
    }

    void noMovesOnEitherSideIsADraw()
    {
        WindowDriver driver;
        driver.startCustom("0 0 0 0 0 0 0 0\n");
        QCOMPARE(driver.dialogs.informations, QStringList({"Partie terminée|Match nulle!"}));
        QCOMPARE(driver.status(), QStringLiteral("Match nulle!"));
        QCOMPARE(driver.controller()->turn, 2);
    }

    void selectionIsDroppedByANewGameAndALoad()
    {
        WindowDriver driver;
        driver.press("B2"); // red selects a stone, then a new game starts
        driver.click("startGameButton");
        driver.press("B3"); // would finish the old selection's move
        QVERIFY(driver.moveLines().isEmpty());
        driver.press("B2");
        driver.browseBoard("2 2 2 2 2 2 2 2\n");
        driver.click("startGameButton");
        driver.press("B3");
        QVERIFY(driver.moveLines().isEmpty());
        QCOMPARE(driver.controller()->board->cells[1][5], 0);
    }
};

QTEST_MAIN(TestHumanGame)
#include "tst_humangame.moc"
