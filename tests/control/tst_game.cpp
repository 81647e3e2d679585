// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardWidget.h"
#include "IsolatedSettings.h"
#include "TestPeer.h"
#include "TurnViewWidget.h"
#include "WindowDriver.h"
#include "ZarvikBoard.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTcpServer>
#include <QtTest>

namespace {
const std::optional<Side> noGame;
const QString undoText = QStringLiteral("Annuler le coup");

// Red's stone on B7 is one step from the top row; black has one stone on A5.
const QByteArray redAboutToWin = "0 0 0 0 0 0 0 0\n0 4 0 0 0 0 0 0\n0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0\n"
                                 + QByteArray("0 0 0 0 0 0 0 0\n").repeated(4);
// Red has no stone; black's only stone is on B2, one step from its goal.
const QByteArray redStuck = QByteArray("0 0 0 0 0 0 0 0\n").repeated(6) + "0 2 0 0 0 0 0 0\n0 0 0 0 0 0 0 0\n";
const QByteArray emptyRow = "0 0 0 0 0 0 0 0\n";
// Black's only stone, a small one on G1, can never move; red's stone on A6 wins in two.
const QByteArray blackStuck = emptyRow.repeated(2) + "4 0 0 0 0 0 0 0\n" + emptyRow.repeated(4) + "0 0 0 0 0 0 1 0\n";

// The board text of a board file written as the program writes it.
QByteArray boardText(QByteArray fileText)
{
    return fileText.replace('\n', ' ');
}

// Waits for the game to have this many plies, the computer's among them.
bool waitForPlies(WindowDriver &driver, int plies)
{
    const auto played = [&] { return int(driver.controller()->model()->plies().size()); };
    return QTest::qWaitFor([&] { return played() >= plies; }, 60000) && played() == plies;
}

// What the turn indicator tells a screen reader.
QString turnTold(WindowDriver &driver)
{
    return driver.window->findChild<TurnViewWidget *>()->accessibleName();
}
} // namespace

// Whole games through the real window: people pressing on the board, the computer,
// and remote programs played by the test over loopback.
class TestGame : public QObject
{
    Q_OBJECT

private:
    void startAgainstRemoteBlack(WindowDriver &driver, TestPeer &black, const QByteArray &board = {})
    {
        if (!board.isEmpty())
            driver.browseBoard(board);
        driver.click("player2SocketRB");
        driver.click("startGameButton");
        QCOMPARE(driver.status(), QStringLiteral("Attente de connection du joueur 2 (noir)..."));
        QVERIFY(black.connectToProgram(*driver.controller()));
        QVERIFY(black.waitFor("2 "));
    }

private slots:
    void movesAreListedInTheMoversColours()
    {
        WindowDriver driver;
        driver.controller()->game()->playMove(Move(1, 6, 1, 7)); // backward: refused
        driver.controller()->game()->playMove(Move(0, 1, 0, 2)); // black, out of turn: refused
        const char *moves[][2] = {{"C2", "C3"}, {"D7", "D6"}, {"C3", "C4"}, {"D6", "D5"}, {"A2", "A3"}, {"D5", "C4"}};
        for (const auto &move : moves)
            driver.play(move[0], move[1]);
        QCOMPARE(driver.moveLines(), QStringList({"1. C2 - C3", "2. D7 - D6", "3. C3 - C4", "4. D6 - D5",
                                                  "5. A2 - A3", "6. [D5 - C4]"}));
        // Each side's moves in a colour of its own.
        QCOMPARE(driver.moveColor(4), driver.moveColor(0));
        QCOMPARE(driver.moveColor(5), driver.moveColor(1));
        QVERIFY(driver.moveColor(0) != driver.moveColor(1));
        auto *list = driver.child<QListView>("moveListWidget");
        QCOMPARE(list->currentIndex().row(), 5);
        // An earlier move clicked or reached by arrow key during the game: nothing changes.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualRect(list->model()->index(1, 0)).center());
        QTest::keyClick(list, Qt::Key_Up);
        QTRY_COMPARE(list->currentIndex().row(), 5);
        QCOMPARE(list->selectionModel()->selectedRows(), QModelIndexList{list->currentIndex()});
        QCOMPARE(driver.board().cells[2][4], Piece::blackStone);
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge"));
        driver.play("A3", "A4");
        QCOMPARE(turnTold(driver), QStringLiteral("Au tour de noir"));
        driver.click("startGameButton");
        QCOMPARE(turnTold(driver), QStringLiteral("Au tour de rouge"));
        QVERIFY(driver.moveLines().isEmpty());
    }

    // The status tells the end before the box opens; nothing moves afterwards.
    void aWinIsAnnouncedAfterTheMoveIsListed()
    {
        WindowDriver driver;
        driver.startCustom(redAboutToWin);
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge..."));
        driver.dialogs.whileBoxOpen = [&] {
            QCOMPARE(driver.moveLines(), QStringList({"1. B7 - B8"}));
            QCOMPARE(driver.status(), QStringLiteral("Joueur 1 gagne la partie"));
            QCOMPARE(driver.controller()->game()->humanSide(), noGame);
            // No stone is left selected on the board under the box.
            for (int x = 0; x < ZarvikBoard::size; ++x)
                for (int y = 0; y < ZarvikBoard::size; ++y)
                    QVERIFY(!driver.boardView()->hasMark(x, y, BoardWidget::Mark::Selection));
        };
        driver.play("B7", "B8");
        QTRY_COMPARE(driver.dialogs.informations, QStringList({"Partie terminée|Joueur 1 gagne la partie"}));
        QCOMPARE(driver.controller()->game()->turn(), noGame);
        driver.play("A5", "A4");
        QCOMPARE(driver.moveLines().size(), 1);
        driver.controller()->game()->playMove(Move(0, 3, 0, 4));
        QCOMPARE(driver.moveLines().size(), 1);
    }

    // A board on which a side already stands on its goal row is that side's win at once.
    void endsAtOnce_data()
    {
        QTest::addColumn<QByteArray>("board");
        QTest::addColumn<QString>("text");
        const QByteArray redHome = "0 4 0 0 0 0 0 0\n", blackHome = "2 0 0 0 0 0 0 0\n";
        QTest::newRow("red on row 8") << redHome + emptyRow.repeated(3) + blackHome + emptyRow.repeated(3)
                                      << "Joueur 1 gagne la partie";
        QTest::newRow("black on row 1") << emptyRow.repeated(3) + redHome + emptyRow.repeated(3) + blackHome
                                        << "Joueur 2 gagne la partie";
        QTest::newRow("both") << redHome + emptyRow.repeated(6) + blackHome << "Match nulle!";
        QTest::newRow("nobody can move") << emptyRow.repeated(8) << "Match nulle!";
    }
    void endsAtOnce()
    {
        QFETCH(QByteArray, board);
        QFETCH(QString, text);
        WindowDriver driver;
        driver.startCustom(board);
        QTRY_COMPARE(driver.dialogs.informations, QStringList({"Partie terminée|" + text}));
        QCOMPARE(driver.status(), text);
        QCOMPARE(driver.controller()->game()->turn(), noGame);
    }

    void selectionIsDroppedByANewGame()
    {
        WindowDriver driver;
        driver.press("B2");
        driver.click("startGameButton");
        driver.press("B3"); // would finish the old selection's move
        QVERIFY(driver.moveLines().isEmpty());
    }

    // At level 4 the status tells the depth and score of the search as it goes.
    void aPersonPlaysAgainstTheComputer()
    {
        WindowDriver driver;
        driver.click("player2CpuRB");
        driver.click("level4_player2_RB");
        driver.child<QLineEdit>("maxTimePlayer2Edit")->setText("1");
        driver.click("startGameButton");
        QString shown; // the status as each depth is reported, the window having shown it
        QSignalSpy depths(driver.controller()->game(), &Game::computerDepth);
        connect(driver.controller()->game(), &Game::computerDepth, this,
                [&] { shown = driver.child<QLabel>("thinkingLabel")->text(); });
        driver.play("B2", "B3");
        QCOMPARE(driver.controller()->game()->humanSide(), noGame);
        QVERIFY(!driver.trigger(undoText)); // not while the computer searches
        QVERIFY(depths.size() > 0 || depths.wait(10000));
        QVERIFY2(shown.contains(QStringLiteral("profondeur %1, score").arg(depths.last().at(0).toInt())),
                 qPrintable(shown));
        driver.press("C2"); // not the person's turn: ignored
        QVERIFY(waitForPlies(driver, 2));
        QCOMPARE(driver.controller()->game()->turn(), Side::Red);
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge"));
        QCOMPARE(driver.moveLines().size(), 2);
    }

    // "Jouer maintenant" makes a level-3 search without timer move at once; the status
    // bar says the computer thinks beside the waiting text, which stays as it was.
    void playNowEndsALongSearch()
    {
        WindowDriver driver;
        driver.click("player1CpuRB");
        driver.click("level3_player1_RB");
        driver.click("timerPlayer1CB");
        QVERIFY(!driver.trigger(QStringLiteral("Jouer maintenant")));
        driver.click("startGameButton");
        auto *thinking = driver.child<QLabel>("thinkingLabel");
        QCOMPARE(thinking->text(), QStringLiteral("L'ordinateur réfléchit…"));
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge..."));
        QVERIFY(!driver.trigger(QStringLiteral("Indice"))); // nobody to give it to
        QVERIFY(driver.trigger(QStringLiteral("Jouer maintenant")));
        QTRY_COMPARE_WITH_TIMEOUT(driver.moveLines().size(), 1, 10000); // the search alone would take 30 s
        QCOMPARE(driver.controller()->game()->humanSide(), Side::Black);
        QVERIFY(thinking->text().isEmpty());
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup noir"));
        QVERIFY(!driver.trigger(QStringLiteral("Jouer maintenant")));
    }

    // The person to move may resign: the opponent wins, the status and the box say
    // who gave up, and the record tells who played and how the game ended.
    void aPersonResigns()
    {
        WindowDriver driver;
        driver.play("B2", "B3");
        const QString text = QStringLiteral("Le joueur noir abandonne. Le joueur rouge est le gagnant.");
        QVERIFY(driver.trigger(QStringLiteral("Abandonner")));
        QCOMPARE(driver.status(), text);
        QTRY_COMPARE(driver.dialogs.informations, QStringList({"Partie terminée|" + text}));
        const GameRecord record = driver.controller()->game()->record();
        QCOMPARE(record.result(), GameRecord::redWins);
        QCOMPARE(record.tag(GameModel::terminationTag), QStringLiteral("resignation"));
        QCOMPARE(record.tag(QStringLiteral("Black")), QStringLiteral("Humain"));
        QVERIFY(!driver.trigger(QStringLiteral("Abandonner")));
    }

    // A person may have a timer too, and loses on time like the other kinds; the
    // window counts down the seconds of the side to move when it has a limit.
    void aPersonsClockRuns()
    {
        WindowDriver driver;
        driver.click("timerPlayer2CB");
        auto *seconds = driver.child<QLineEdit>("maxTimePlayer2Edit");
        seconds->setText(QStringLiteral("30"));
        driver.click("startGameButton");
        auto *clock = driver.child<QLabel>("clockLabel");
        QVERIFY(clock->text().isEmpty());
        driver.play("B2", "B3");
        QVERIFY(clock->text() == QStringLiteral("30 s") || clock->text() == QStringLiteral("29 s"));
        QTRY_COMPARE_WITH_TIMEOUT(clock->text(), QStringLiteral("29 s"), 2000);
        driver.play("C7", "C6");
        QVERIFY(clock->text().isEmpty());
        seconds->setText(QStringLiteral("0"));
        driver.click("startGameButton");
        driver.play("B2", "B3");
        QTRY_COMPARE(driver.status(), QStringLiteral("Le joueur noir a pris trop de temps.  Le joueur rouge est le gagnant."));
        QCOMPARE(driver.controller()->game()->record().tag(GameModel::terminationTag), GameRecord::byTimeOut);
        QVERIFY(clock->text().isEmpty());
    }

    void aNewGameAfterTheEnd_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<bool>("byMenu");
        for (const char *ending : {"goal row", "time-out", "resignation"}) {
            QTest::addRow("%s, green button", ending) << QString(ending) << false;
            QTest::addRow("%s, Ctrl+N", ending) << QString(ending) << true;
        }
    }

    // However a game ended, the green button or "Nouvelle partie" starts a new one
    // from the board chosen in the panel, with no box; until then the moves stay
    // listed and nobody is to move.
    void aNewGameAfterTheEnd()
    {
        QFETCH(QString, ending);
        QFETCH(bool, byMenu);
        WindowDriver driver;
        driver.startCustom(redAboutToWin);
        if (ending == QLatin1String("goal row")) {
            driver.play("B7", "B8");
        } else if (ending == QLatin1String("resignation")) {
            QVERIFY(driver.trigger(QStringLiteral("Abandonner")));
        } else {
            driver.click("timerPlayer1CB");
            driver.child<QLineEdit>("maxTimePlayer1Edit")->setText(QStringLiteral("0"));
            driver.click("startGameButton");
        }
        QTRY_COMPARE(driver.dialogs.informations.size(), 1);
        const Game *game = driver.controller()->game();
        QCOMPARE(game->model()->termination(), ending);
        QCOMPARE(driver.window->findChild<TurnViewWidget *>()->accessibleName(), QStringLiteral("Aucune partie en cours"));
        QCOMPARE(driver.moveLines().size(), ending == QLatin1String("goal row") ? 1 : 0);
        driver.child<QLineEdit>("maxTimePlayer1Edit")->setText(QStringLiteral("30")); // time for the new game
        if (byMenu)
            QVERIFY(driver.trigger(QStringLiteral("Nouvelle partie ...")));
        else
            driver.click("startGameButton");
        QCOMPARE(game->state(), Game::State::Playing);
        QVERIFY(driver.moveLines().isEmpty());
        QCOMPARE(driver.board().toText(), QString(boardText(redAboutToWin)));
        QCOMPARE(driver.dialogs.informations.size(), 1);
        QCOMPARE(driver.window->findChild<TurnViewWidget *>()->accessibleName(), QStringLiteral("Au tour de rouge"));
    }

    // Undo takes back one move between people, and the computer's reply with the
    // person's move against it; redo plays the same moves again without a search.
    void undoAndRedo_data()
    {
        QTest::addColumn<bool>("computerBlack");
        QTest::newRow("people") << false;
        QTest::newRow("computer") << true;
    }

    void undoAndRedo()
    {
        QFETCH(bool, computerBlack);
        WindowDriver driver;
        if (computerBlack)
            driver.click("player2CpuRB");
        driver.click("startGameButton");
        QVERIFY(!driver.trigger(undoText));
        driver.play("B2", "B3");
        if (!computerBlack)
            driver.play("C7", "C6");
        QVERIFY(waitForPlies(driver, 2));
        const QStringList played = driver.moveLines();
        const QString position = driver.board().toText();
        const QColor black = driver.moveColor(1);
        QVERIFY(driver.trigger(undoText));
        QCOMPARE(driver.moveLines(), played); // the whole game stays listed
        QVERIFY(driver.moveColor(1) != black); // black's move taken back looks different
        QCOMPARE(driver.controller()->model()->cursor(), computerBlack ? 0 : 1);
        QCOMPARE(driver.controller()->game()->humanSide(), computerBlack ? Side::Red : Side::Black);
        QVERIFY(driver.trigger(QStringLiteral("Refaire")));
        QCOMPARE(driver.moveLines(), played);
        QCOMPARE(driver.moveColor(1), black);
        QCOMPARE(driver.board().toText(), position);
        QCOMPARE(driver.controller()->game()->humanSide(), Side::Red);
        QVERIFY(!driver.trigger(QStringLiteral("Refaire")));
        while (driver.trigger(undoText))
            ;
        QCOMPARE(driver.board().toText(), ZarvikBoard().toText());
        QCOMPARE(driver.controller()->model()->cursor(), 0);
        driver.play("A2", "A3"); // another move: the undone line is gone
        QVERIFY(!driver.trigger(QStringLiteral("Refaire")));
        QCOMPARE(driver.moveLines(), QStringList({"1. A2 - A3"}));
    }

    // Loading a board or starting again stops a search without timer; its move never comes.
    void aRunningSearchIsDiscarded()
    {
        WindowDriver driver;
        driver.click("player1CpuRB");
        driver.click("level3_player1_RB");
        driver.click("timerPlayer1CB");
        driver.click("startGameButton");
        QSignalSpy changes(driver.controller()->model(), &GameModel::changed);
        driver.browseBoard(emptyRow.repeated(2) + "0 0 0 2 0 0 0 0\n" + emptyRow.repeated(5));
        QCOMPARE(driver.controller()->game()->turn(), noGame);
        driver.click("startGameButton");
        driver.click("player1HumanRB");
        driver.click("initialBoardRB");
        driver.click("startGameButton");
        QVERIFY(!changes.wait(300) && driver.moveLines().isEmpty());
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge..."));
        driver.play("B2", "B3");
        QCOMPARE(driver.moveLines(), QStringList({"1. B2 - B3"}));
    }

    // After a pass the side that moves again is sent its board, never a move of its
    // own or of an earlier game.
    void aPassSendsTheBoardAgain()
    {
        WindowDriver driver;
        TestPeer black;
        startAgainstRemoteBlack(driver, black, redStuck);
        const QByteArray board = "2 " + boardText(redStuck);
        QVERIFY(black.waitFor(board + board));
        QCOMPARE(black.received, board + board);
        QCOMPARE(driver.status(), QStringLiteral("Le joueur rouge ne peut pas jouer, il passe son tour."));
        black.send("B2 - B1\n");
        QVERIFY(black.waitFor("5 B2 - B1"));
        QTRY_COMPARE(driver.dialogs.informations, QStringList({"Partie terminée|Joueur 2 gagne la partie"}));
        QCOMPARE(driver.moveLines(), QStringList({"1. --", "2. B2 - B1"})); // the pass is listed as the record writes it

        WindowDriver second;
        second.click("player1SocketRB");
        second.browseBoard(blackStuck);
        second.click("startGameButton");
        TestPeer red;
        QVERIFY(red.connectToProgram(*second.controller()));
        QVERIFY(red.waitFor("1 " + boardText(blackStuck)));
        red.send("A6 - A7\n");
        const QByteArray after = emptyRow + "4 0 0 0 0 0 0 0\n" + emptyRow.repeated(5) + "0 0 0 0 0 0 1 0\n";
        QVERIFY(red.waitFor("1 " + boardText(after)));
        QCOMPARE(red.received, "1 " + boardText(blackStuck) + "1 " + boardText(after));
        red.send("A7 - A8\n");
        QVERIFY(red.waitFor("5 A7 - A8"));
    }

    void aBusyPortIsReported()
    {
        QTcpServer squatter;
        QVERIFY(squatter.listen(QHostAddress::Any, 0));
        GameController controller(GameController::Settings{squatter.serverPort(), 0});
        GameOptions options;
        options.black.kind = PlayerKind::Socket;
        QSignalSpy failures(&controller, &GameController::startFailed);
        QSignalSpy ends(controller.game(), &Game::ended);
        controller.startGame(options);
        QCOMPARE(failures.size(), 1);
        QVERIFY(failures[0].at(1).toString().contains(QString::number(squatter.serverPort())));
        QCOMPARE(controller.game()->state(), Game::State::Idle);
        QVERIFY(ends.isEmpty()); // no game began, so none ended
        // The window shows it as a warning.
        IsolatedSettings::begin();
        MainWindow window(&controller);
        ScriptedDialogs dialogs;
        window.setDialogs(&dialogs);
        window.findChild<QAbstractButton *>(QStringLiteral("player2SocketRB"))->click();
        window.findChild<QAbstractButton *>(QStringLiteral("startGameButton"))->click();
        QCOMPARE(dialogs.warnings, QStringList{"Partie en réseau|" + failures[0].at(1).toString()});
        QVERIFY(dialogs.informations.isEmpty()); // one box, the warning
        QVERIFY(!window.findChild<QLabel *>(QStringLiteral("statusLabel"))->text().startsWith(QStringLiteral("Attente")));
    }

    // The window joins a game that another controller hosts: it plays black from the
    // bottom of the board, sees the host's moves, cannot take a move back, counts
    // down the host's limit, and keeps the game when the host leaves.
    void joinsAGameHostedElsewhere()
    {
        GameController host(GameController::Settings{0, 0});
        GameOptions options;
        options.black.kind = PlayerKind::Socket;
        host.seating()->setListening(QHostAddress::LocalHost, 0);
        host.startGame(options);
        WindowDriver driver;
        driver.dialogs.networkAnswers << QStringLiteral("127.0.0.1:%1").arg(host.serverPort());
        QVERIFY(driver.trigger(QStringLiteral("Rejoindre une partie…")));
        QCOMPARE(driver.dialogs.networkShown, QStringList{QStringLiteral(":8888")});
        QTRY_COMPARE(driver.status(), QStringLiteral("En attente du coup de l'hôte (rouge)"));
        QVERIFY(driver.trigger(QStringLiteral("Retourner le plateau"))); // turned for black: back, for press()
        host.game()->playMove(Move(2, 6, 2, 5));
        QTRY_COMPARE(driver.status(), QStringLiteral("À vous de jouer (noir)"));
        auto *clock = driver.child<QLabel>("clockLabel"); // counting down from the host's limit
        QVERIFY(clock->text() == QStringLiteral("5 s") || clock->text() == QStringLiteral("4 s"));
        driver.play("D7", "D6");
        QTRY_COMPARE(host.model()->plies().size(), size_t(2));
        QCOMPARE(driver.moveLines(), QStringList({"1. C2 - C3", "2. D7 - D6"}));
        QVERIFY(!driver.trigger(undoText));
        host.stopGame();
        QTRY_COMPARE(driver.dialogs.informations,
                     QStringList{"Partie terminée|Le joueur rouge a quitté la partie : elle est annulée."});
        QCOMPARE(driver.moveLines().size(), 2);
        QVERIFY(clock->text().isEmpty());
    }

    // "Cet ordinateur seulement": the server listens on the loopback interface, and
    // the status bar gives its address and port until the remote side is there.
    void listensWhereTheOptionsSay()
    {
        WindowDriver driver;
        driver.dialogs.networkAnswers << QStringLiteral("local:0");
        QVERIFY(driver.trigger(QStringLiteral("Options réseau…")));
        QCOMPARE(driver.dialogs.networkShown, QStringList{QStringLiteral("every:8888")});
        driver.click("player2SocketRB");
        driver.click("startGameButton");
        QCOMPARE(driver.controller()->findChild<QTcpServer *>()->serverAddress(), QHostAddress(QHostAddress::LocalHost));
        auto *where = driver.child<QLabel>("friendLabel");
        QCOMPARE(where->text(), QStringLiteral("Cet ordinateur seulement : 127.0.0.1, port %1 (sans limite de temps)")
                                    .arg(driver.controller()->serverPort()));
        TestPeer black;
        QVERIFY(black.connectToProgram(*driver.controller()));
        QTRY_VERIFY(where->text().isEmpty());
    }
};

QTEST_MAIN(TestGame)
#include "tst_game.moc"
