#include "GameController.h"
#include "WindowDriver.h"
#include "ZarvikBoard.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

// The window as it opens, its options, and loading and saving board files.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensOnAHumanGame()
    {
        WindowDriver driver;
        QCOMPARE(driver.window->windowTitle(), QStringLiteral("Zarvik"));
        QCOMPARE(driver.window->geometry().size(), QSize(737, 737));
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge..."));
        QVERIFY(driver.moveLines().isEmpty());
        QCOMPARE(driver.controller()->turn, 0);
        QCOMPARE(driver.controller()->currentPlayerType(), int(Human));
        for (const char *name : {"player1HumanRB", "player2HumanRB", "level1_player1_RB", "level1_player2_RB",
                                 "initialBoardRB", "timerPlayer1CB", "timerPlayer2CB"})
            QVERIFY2(driver.child<QAbstractButton>(name)->isChecked(), name);
        for (const char *name : {"maxTimePlayer1Edit", "maxTimePlayer2Edit"}) {
            QCOMPARE(driver.child<QLineEdit>(name)->text(), QStringLiteral("5"));
            QCOMPARE(driver.child<QLineEdit>(name)->maxLength(), 3);
        }
        auto *boardField = driver.child<QLineEdit>("boardLineEdit");
        QVERIFY(!boardField->isEnabled() && boardField->isReadOnly() && boardField->text().isEmpty());
        QCOMPARE(driver.child<QWidget>("startGameButton")->toolTip(), QStringLiteral("Commencer une nouvelle partie"));
    }

    void radioGroupsAreIndependent()
    {
        WindowDriver driver;
        driver.click("player1CpuRB");
        QTest::qWait(QApplication::doubleClickInterval() + 50); // a second click, not a double click
        driver.click("player1CpuRB"); // a checked choice stays checked
        driver.click("level3_player1_RB");
        QVERIFY(!driver.child<QRadioButton>("player1HumanRB")->isChecked());
        QVERIFY(driver.child<QRadioButton>("player2HumanRB")->isChecked());
        QVERIFY(driver.child<QRadioButton>("player1CpuRB")->isChecked());
        QVERIFY(driver.child<QRadioButton>("level1_player2_RB")->isChecked());
    }

    void timerBoxGreysItsField()
    {
        WindowDriver driver;
        driver.click("timerPlayer1CB");
        QVERIFY(!driver.child<QLineEdit>("maxTimePlayer1Edit")->isEnabled());
        QVERIFY(driver.child<QLineEdit>("maxTimePlayer2Edit")->isEnabled());
        driver.click("timerPlayer1CB");
        QVERIFY(driver.child<QLineEdit>("maxTimePlayer1Edit")->isEnabled());
    }

    void startReadsTheOptions()
    {
        WindowDriver driver;
        driver.click("player1CpuRB");
        driver.click("level2_player1_RB");
        driver.click("timerPlayer1CB");
        driver.click("level3_player2_RB");
        driver.child<QLineEdit>("maxTimePlayer2Edit")->setText(QStringLiteral("x"));
        driver.click("startGameButton");
        GameController *controller = driver.controller();
        QCOMPARE(controller->player1Type, int(Cpu));
        QCOMPARE(controller->player1Level, 2);
        QCOMPARE(controller->player1MaxTime, 100000);
        QCOMPARE(controller->player2Type, int(Human));
        QCOMPARE(controller->player2Level, 3);
        QCOMPARE(controller->player2MaxTime, 0);
    }

    void browsingShowsTheBoardAndStopsTheGame()
    {
        WindowDriver driver;
        const QString path = driver.browseBoard("0 0 0 0 0 0 0 0\n0 4 0 0 0 0 0 0\n");
        QCOMPARE(driver.dialogs.captions.value(0),
                 QStringLiteral("Chargement d'un plateau|./|board file (*.brd)"));
        QCOMPARE(driver.child<QLineEdit>("boardLineEdit")->text(), path);
        QCOMPARE(driver.controller()->board->cells[1][1], 4);
        QCOMPARE(driver.controller()->board->cells[0][7], 0);
        QCOMPARE(driver.controller()->turn, 2);
        QVERIFY(!driver.controller()->acceptsHumanMove());
        driver.click("startGameButton"); // the initial board is still chosen
        QCOMPARE(driver.controller()->board->cells[0][7], 4);
        QCOMPARE(driver.controller()->turn, 0);
    }

    // A cancelled dialog does nothing; a file that cannot be read or written is
    // reported with its path and changes nothing else.
    void fileProblemsChangeNothing()
    {
        WindowDriver driver;
        driver.play("B2", "B3");
        driver.dialogs.nextPath = QString();
        driver.click("BrowseButton");
        driver.click("saveButton");
        QVERIFY(driver.dialogs.warnings.isEmpty());
        driver.dialogs.nextPath = QStringLiteral("/nonexistent/zarvik/board.brd");
        driver.click("BrowseButton");
        driver.click("saveButton");
        QCOMPARE(driver.dialogs.warnings.size(), 2);
        QVERIFY(driver.dialogs.warnings[0].startsWith(QStringLiteral("Chargement d'un plateau|")));
        QVERIFY(driver.dialogs.warnings[1].startsWith(QStringLiteral("Sauvegarde du plateau|")));
        for (const QString &warning : driver.dialogs.warnings)
            QVERIFY(warning.contains(driver.dialogs.nextPath));
        QCOMPARE(driver.controller()->turn, 1);
        QCOMPARE(driver.controller()->board->cells[1][5], ZarvikBoard::redStone);
        QVERIFY(driver.child<QLineEdit>("boardLineEdit")->text().isEmpty());
    }

    void savesTheCurrentPosition()
    {
        WindowDriver driver;
        QTemporaryDir dir;
        driver.play("B2", "B3");
        driver.dialogs.nextPath = dir.filePath(QStringLiteral("saved.brd"));
        driver.click("saveButton");
        QFile file(driver.dialogs.nextPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.value(5), QByteArray("0 4 0 0 0 0 0 0 "));
        QCOMPARE(lines.value(6), QByteArray("4 0 4 4 4 4 4 4 "));
        QCOMPARE(driver.controller()->turn, 1); // saving changes nothing else
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
