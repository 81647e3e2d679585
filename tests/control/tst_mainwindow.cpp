// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardWidget.h"
#include "GameController.h"
#include "WindowDriver.h"
#include "ZarvikBoard.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QListView>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

Q_DECLARE_METATYPE(Dialogs::Answer)

// The window as it opens, its options, and loading and saving board files.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensOnAHumanGame()
    {
        WindowDriver driver;
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge..."));
        QVERIFY(driver.moveLines().isEmpty());
        QCOMPARE(driver.controller()->game()->humanSide(), Side::Red);
    }

    // The window fits a 1366 × 768 screen with a panel and opens within the screen;
    // at its natural size the squares are as they always were, and a larger window
    // has larger squares, the move list to their right and the whole options panel
    // below them, above the status bar.
    void theBoardScalesWithTheWindow()
    {
        WindowDriver driver;
        MainWindow *window = driver.window;
        const QSize smallest = window->minimumSizeHint();
        QVERIFY(smallest.width() <= 1366 && smallest.height() <= 768 - 40 - 50);
        const QSize room = window->screen()->availableGeometry().size();
        QVERIFY(window->width() <= room.width() && window->height() <= room.height());
        QVERIFY(window->findChildren<QToolBar *>().isEmpty());
        window->resize(window->sizeHint());
        QTRY_COMPARE(driver.boardView()->cellSide(), 64);
        window->resize(window->sizeHint() + QSize(160, 160));
        QTRY_COMPARE(driver.boardView()->cellSide(), 64 + 20);
        const auto frame = [&](QWidget *widget) { return QRect(widget->mapTo(window, QPoint()), widget->size()); };
        const QRect board = frame(driver.boardView());
        const QRect options = frame(driver.child<QWidget>("optionsPanel"));
        QVERIFY(options.top() > board.top() + 8 * 84 && options.bottom() < frame(window->statusBar()).top());
        QVERIFY(frame(driver.child<QWidget>("moveListWidget")).left() > board.left() + 8 * 84);
        driver.play("H2", "H3");
        QCOMPARE(driver.moveLines(), QStringList({"1. H2 - H3"}));
    }

    // The game's status stays in the status bar while menu tips come and go.
    void menuTipsLeaveTheStatus()
    {
        WindowDriver driver;
        for (const QString &tip : {QStringLiteral("Quitter"), QString()}) {
            QStatusTipEvent event(tip);
            QApplication::sendEvent(driver.window, &event);
        }
        QCOMPARE(driver.status(), QStringLiteral("En attente du coup rouge..."));
        QVERIFY(driver.child<QWidget>("statusLabel")->isVisible());
    }

    // The end-of-game box belongs to the window, which centres it, not to the screen.
    void boxesAreCentredOnTheWindow()
    {
        QWidget window;
        window.setGeometry(300, 200, 500, 400);
        WidgetDialogs dialogs(&window);
        QWidget *parent = nullptr;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            parent = box ? box->parentWidget() : nullptr;
            if (box)
                box->accept();
        });
        dialogs.information(QStringLiteral("Partie terminée"), QStringLiteral("Match nulle!"));
        QCOMPARE(parent, &window);
    }

    // What does nothing for a side is greyed: the level of a person or a remote
    // program, the seconds without timer, which a person starts without and a remote
    // side keeps as it was; the other side keeps its own.
    void optionsFollowTheKind_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("timerClicked");
        QTest::addColumn<QString>("enabled"); // level, timer, seconds
        QTest::newRow("person") << "player1HumanRB" << false << "-T-";
        QTest::newRow("person with timer") << "player1HumanRB" << true << "-TS";
        QTest::newRow("computer") << "player1CpuRB" << false << "LTS";
        QTest::newRow("computer without timer") << "player1CpuRB" << true << "LT-";
        QTest::newRow("remote") << "player1SocketRB" << false << "-T-";
        QTest::newRow("remote with timer") << "player1SocketRB" << true << "-TS";
    }

    void optionsFollowTheKind()
    {
        QFETCH(QString, kind);
        QFETCH(bool, timerClicked);
        WindowDriver driver;
        driver.click("player2CpuRB");
        driver.click(qPrintable(kind));
        if (timerClicked)
            driver.click("timerPlayer1CB");
        auto shown = [&](const char *level, const char *timer, const char *seconds) {
            return QString(driver.child<QWidget>(level)->isEnabled() ? 'L' : '-')
                   + (driver.child<QWidget>(timer)->isEnabled() ? 'T' : '-')
                   + (driver.child<QWidget>(seconds)->isEnabled() ? 'S' : '-');
        };
        QTEST(shown("groupBox_5", "timerPlayer1CB", "maxTimePlayer1Edit"), "enabled");
        QCOMPARE(shown("groupBox_6", "timerPlayer2CB", "maxTimePlayer2Edit"), QStringLiteral("LTS"));
    }

    // Choosing "Réseau" leaves the timer alone: the friend who joins may be a person.
    // The computer comes with its timer again.
    void aRemoteSideKeepsTheTimerChosen()
    {
        WindowDriver driver;
        auto *timer = driver.child<QCheckBox>("timerPlayer2CB");
        driver.click("player2CpuRB");
        driver.click("timerPlayer2CB");
        driver.click("player2SocketRB");
        QVERIFY(!timer->isChecked());
        driver.click("player2CpuRB");
        QVERIFY(timer->isChecked());
        driver.click("player2SocketRB");
        QVERIFY(timer->isChecked());
        QVERIFY(driver.child<QWidget>("maxTimePlayer2Edit")->isEnabled());
    }

    void startReadsTheOptions()
    {
        WindowDriver driver;
        driver.click("player1CpuRB");
        driver.click("level2_player1_RB");
        driver.click("timerPlayer1CB");
        driver.click("player2CpuRB");
        driver.click("level3_player2_RB");
        driver.child<QLineEdit>("maxTimePlayer2Edit")->setText(QStringLiteral("17"));
        driver.click("startGameButton");
        const GameOptions &options = driver.controller()->game()->options();
        QCOMPARE(options.red.kind, PlayerKind::Cpu);
        QCOMPARE(options.red.level, 2);
        QCOMPARE(options.red.timeLimit(), int(Player::untimed));
        QCOMPARE(options.black.kind, PlayerKind::Cpu);
        QCOMPARE(options.black.level, 3);
        QCOMPARE(options.black.timeLimit(), 17);
        QCOMPARE(driver.controller()->game()->record().tag(QStringLiteral("Red")), QStringLiteral("Ordinateur niveau 2"));
        QCOMPARE(driver.controller()->game()->record().tag(QStringLiteral("Black")), QStringLiteral("Ordinateur niveau 3"));
    }

    // A time field takes 0 to 999 only; one left empty is refused with a word before
    // anything is asked, and the game in progress goes on.
    void timeFieldsTakeSecondsOnly()
    {
        WindowDriver driver;
        auto *field = driver.child<QLineEdit>("maxTimePlayer1Edit");
        for (const char *typed : {"-1", "x", "1e3"}) {
            field->clear();
            QTest::keyClicks(field, typed);
            QVERIFY2(!field->text().contains(QRegularExpression("[-xe]")), typed);
        }
        driver.play("B2", "B3");
        driver.click("timerPlayer1CB");
        field->clear();
        driver.click("startGameButton");
        QVERIFY(driver.dialogs.questions.isEmpty()); // refused before the game is given up
        QCOMPARE(driver.dialogs.warnings.size(), 1);
        QVERIFY(driver.dialogs.warnings[0].contains(QStringLiteral("joueur 1")));
        QCOMPARE(driver.moveLines().size(), 1);
        QCOMPARE(driver.controller()->game()->humanSide(), Side::Black);
    }

    // A board loaded is shown at once and chosen for the next game, which the green
    // button starts on it.
    void browsingShowsTheBoardAndChoosesIt()
    {
        WindowDriver driver;
        const QString path = driver.browseBoard("0 0 0 0 0 0 0 0\n0 4 0 0 0 0 0 0\n"
                                                + QByteArray("0 0 0 0 0 0 0 0\n").repeated(6));
        QCOMPARE(driver.dialogs.captions.value(0),
                 QStringLiteral("Chargement d'un plateau|./|plateaux (*.brd)"));
        QCOMPARE(driver.child<QLineEdit>("boardLineEdit")->text(), path);
        QCOMPARE(driver.board().cells[1][1], 4);
        QCOMPARE(driver.board().cells[0][7], 0);
        QVERIFY(!driver.controller()->game()->humanSide());
        QVERIFY(driver.status().contains(QStringLiteral("« Personalisé » coché")));
        driver.click("startGameButton");
        QCOMPARE(driver.board().cells[1][1], 4);
        QCOMPARE(driver.board().cells[0][7], 0);
        QCOMPARE(driver.controller()->game()->humanSide(), Side::Red);
        driver.click("initialBoardRB");
        driver.click("startGameButton");
        QCOMPARE(driver.board().cells[0][7], 4);
    }

    // A cancelled dialog does nothing; a file that cannot be read or written is
    // reported with its path and changes nothing else. Then the position is saved,
    // the extension added.
    void fileProblemsChangeNothingAndSavesThePosition()
    {
        WindowDriver driver;
        QTemporaryDir dir;
        driver.play("B2", "B3");
        driver.dialogs.nextPath = QString();
        driver.click("BrowseButton");
        driver.click("saveButton");
        QVERIFY(driver.dialogs.warnings.isEmpty());
        driver.dialogs.nextPath = QStringLiteral("/nonexistent/zarvik/board.brd");
        driver.click("BrowseButton");
        driver.click("saveButton");
        QVERIFY(driver.trigger(QStringLiteral("Enregistrer la partie…")));
        QCOMPARE(driver.dialogs.warnings.size(), 3);
        QVERIFY(driver.dialogs.warnings[0].startsWith(QStringLiteral("Chargement d'un plateau|")));
        QVERIFY(driver.dialogs.warnings[1].startsWith(QStringLiteral("Sauvegarde du plateau|")));
        QVERIFY(driver.dialogs.warnings[2].startsWith(QStringLiteral("Enregistrer la partie|")));
        for (const QString &warning : driver.dialogs.warnings)
            QVERIFY(warning.contains(driver.dialogs.nextPath));
        // The dialogs do not open again where saving failed.
        driver.dialogs.captions.clear();
        driver.click("saveButton");
        QVERIFY(driver.trigger(QStringLiteral("Enregistrer la partie…")));
        QCOMPARE(driver.dialogs.captions.size(), 2);
        for (const QString &caption : driver.dialogs.captions)
            QVERIFY2(!caption.contains(QStringLiteral("nonexistent")), qPrintable(caption));
        QCOMPARE(driver.controller()->game()->turn(), Side::Black);
        QCOMPARE(driver.board().cells[1][5], Piece::redStone);
        QVERIFY(driver.child<QLineEdit>("boardLineEdit")->text().isEmpty());
        driver.dialogs.nextPath = dir.filePath(QStringLiteral("saved"));
        driver.click("saveButton");
        QCOMPARE(driver.status(), "Plateau enregistré dans " + QDir::toNativeSeparators(driver.dialogs.nextPath + ".brd"));
        QFile file(driver.dialogs.nextPath + ".brd");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.value(5), QByteArray("0 4 0 0 0 0 0 0 "));
        QCOMPARE(lines.value(6), QByteArray("4 0 4 4 4 4 4 4 "));
    }

    // A game with moves played is only given up after asking: saved first, given up,
    // or kept; a game without moves goes without a question.
    void aGameInProgressIsOnlyLostAfterAsking_data()
    {
        QTest::addColumn<Dialogs::Answer>("answer");
        QTest::addColumn<int>("movesLeft");
        QTest::addColumn<bool>("saved");
        QTest::newRow("save") << Dialogs::Answer::Save << 0 << true;
        QTest::newRow("discard") << Dialogs::Answer::Discard << 0 << false;
        QTest::newRow("cancel") << Dialogs::Answer::Cancel << 1 << false;
    }

    void aGameInProgressIsOnlyLostAfterAsking()
    {
        QFETCH(Dialogs::Answer, answer);
        WindowDriver driver;
        QTemporaryDir dir;
        QVERIFY(driver.trigger(QStringLiteral("Nouvelle partie ...")));
        QVERIFY(driver.dialogs.questions.isEmpty());
        driver.play("B2", "B3");
        driver.dialogs.nextAnswer = answer;
        driver.dialogs.nextPath = dir.filePath(QStringLiteral("game.zgn"));
        QVERIFY(driver.trigger(QStringLiteral("Nouvelle partie ...")));
        QCOMPARE(driver.dialogs.questions.size(), 1);
        QTEST(int(driver.moveLines().size()), "movesLeft");
        QTEST(QFile::exists(driver.dialogs.nextPath), "saved");
    }

    // A saved game opens at its end; the moves are stepped through or clicked, the
    // whole game staying listed with the ply shown current, and the game goes on from
    // the position shown with the side to move there, the moves before it kept.
    void replaysASavedGameAndContinuesIt()
    {
        WindowDriver driver;
        QTemporaryDir dir;
        driver.play("B2", "B3");
        driver.play("C7", "C6");
        driver.play("B3", "B4");
        driver.play("C6", "C5");
        driver.play("B4", "C5");
        const QStringList played = driver.moveLines();
        QCOMPARE(played.last(), QStringLiteral("5. [B4 - C5]"));
        driver.dialogs.nextPath = dir.filePath(QStringLiteral("game.zgn"));
        QVERIFY(driver.trigger(QStringLiteral("Enregistrer la partie…")));
        QCOMPARE(driver.status(), "Partie enregistrée dans " + QDir::toNativeSeparators(driver.dialogs.nextPath));
        QVERIFY(!driver.trigger(QStringLiteral("Coup précédent"))); // nothing opened yet
        QVERIFY(driver.trigger(QStringLiteral("Ouvrir une partie…")));
        QVERIFY(driver.dialogs.warnings.isEmpty() && driver.dialogs.choices.isEmpty());
        QVERIFY(!driver.controller()->game()->turn());
        QCOMPARE(driver.moveLines(), played); // the capture told as when it was played
        QCOMPARE(driver.board().cells[2][3], Piece::redStone);
        auto *list = driver.child<QListView>("moveListWidget");
        QVERIFY(driver.trigger(QStringLiteral("Début de la partie")));
        QCOMPARE(driver.moveLines(), played);
        QCOMPARE(list->currentIndex().row(), -1);
        QCOMPARE(driver.board().cells[1][6], Piece::redStone);
        QVERIFY(driver.trigger(QStringLiteral("Coup suivant")));
        QCOMPARE(list->currentIndex().row(), 0);
        QVERIFY(driver.trigger(QStringLiteral("Fin de la partie")));
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(driver.controller()->model()->cursor(), 4);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualRect(list->model()->index(1, 0)).center());
        QCOMPARE(list->currentIndex().row(), 1);
        QCOMPARE(driver.board().cells[1][5], Piece::redStone);
        QVERIFY(driver.trigger(QStringLiteral("Continuer d'ici"))); // red to move
        QCOMPARE(driver.controller()->game()->humanSide(), Side::Red);
        QCOMPARE(driver.moveLines(), played.mid(0, 2));
        driver.play("B3", "B4");
        QCOMPARE(driver.board().cells[2][2], Piece::blackStone);
        QCOMPARE(driver.moveLines(), played.mid(0, 3));
        QCOMPARE(driver.controller()->game()->record().tag(QStringLiteral("Start")).right(1), QStringLiteral("r"));
    }

    // A file of several games (a match's records) offers them by round, players and
    // result; the one chosen is replayed, with the file's name in the title and who
    // played in the status, until a game is played.
    void opensTheGameChosenInAMatchFile()
    {
        WindowDriver driver;
        QTemporaryDir dir;
        const Move moves[] = {Move(1, 6, 1, 5), Move(2, 1, 2, 2), Move(1, 5, 1, 4)};
        QString text;
        for (int round = 1; round <= 3; ++round) {
            GameRecord record = GameRecord::fromInitialPosition();
            record.setTag(QStringLiteral("Round"), QString::number(round));
            record.setTag(QStringLiteral("Red"), QStringLiteral("Humain"));
            record.setTag(QStringLiteral("Black"), QStringLiteral("Ordinateur niveau 2"));
            record.moves.assign(moves, moves + round);
            record.setResult(round == 2 ? GameRecord::redWins : GameRecord::unfinished);
            text += record.toText();
        }
        driver.dialogs.nextPath = dir.filePath(QStringLiteral("match.rec"));
        QFile file(driver.dialogs.nextPath);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0);
        file.close();
        driver.dialogs.nextChoice = 1;
        QVERIFY(driver.trigger(QStringLiteral("Ouvrir une partie…")));
        QCOMPARE(driver.dialogs.choices.size(), 1);
        QCOMPARE(driver.dialogs.choices[0].size(), 3);
        const QString players = QStringLiteral("Humain (rouge) contre Ordinateur niveau 2 (noir), rouge gagne");
        QCOMPARE(driver.dialogs.choices[0][1], "2. Ronde 2 : " + players);
        QCOMPARE(driver.moveLines().size(), 2);
        QCOMPARE(driver.window->windowTitle(), QStringLiteral("Zarvik — match.rec"));
        // The dialog offers first the games' files, a match's records among them
        // whatever they are called, and then any file.
        const QStringList filters = driver.dialogs.captions.last().section('|', 2).split(";;");
        const auto matches = [](const QString &filter, const char *name) {
            return QDir::match(filter.section('(', 1).section(')', 0, 0), QString(name));
        };
        for (const char *name : {"partie.zgn", "match.rec", "games.txt"})
            QVERIFY2(matches(filters.first(), name), name);
        QVERIFY(std::any_of(filters.begin(), filters.end(), [&](const QString &f) { return matches(f, "notes.log"); }));
        QVERIFY(driver.status().endsWith(players));
        driver.dialogs.nextChoice = -1;
        QVERIFY(driver.trigger(QStringLiteral("Ouvrir une partie…")));
        QCOMPARE(driver.moveLines().size(), 2);
        QVERIFY(driver.dialogs.warnings.isEmpty());
        driver.click("startGameButton");
        QCOMPARE(driver.window->windowTitle(), QStringLiteral("Zarvik"));
    }

    // A hint is a legal move of the person to move, marked and never played; it goes
    // with the next move.
    void hintShowsAMoveWithoutPlayingIt()
    {
        WindowDriver driver;
        driver.play("B2", "B3");
        const QString position = driver.board().toText();
        QVERIFY(driver.trigger(QStringLiteral("Indice")));
        QTRY_VERIFY_WITH_TIMEOUT(driver.boardView()->shownHint(), 10000);
        const Move hint = *driver.boardView()->shownHint();
        QVERIFY(driver.board().isLegal(hint, Side::Black));
        QCOMPARE(driver.board().toText(), position);
        QCOMPARE(driver.moveLines().size(), 1);
        QCOMPARE(driver.controller()->game()->humanSide(), Side::Black);
        driver.controller()->game()->playMove(hint);
        QVERIFY(!driver.boardView()->shownHint());
        QCOMPARE(driver.moveLines().size(), 2);
    }

    // The options panel, the window's size, the flip and the dialogs' folders come
    // back in the next window.
    void settingsAreRemembered()
    {
        // Whoever holds the protocol's port, the windows here listen where their
        // controller says (a free port): the settings never carry a port not chosen.
        QTcpServer squatter;
        squatter.listen(QHostAddress::Any, Protocol::defaultPort);
        QTemporaryDir dir;
        QString boardPath;
        QSize windowSize;
        {
            WindowDriver driver;
            driver.click("player1CpuRB");
            driver.click("level3_player1_RB");
            driver.click("timerPlayer1CB");
            driver.click("player2SocketRB");
            driver.child<QLineEdit>("maxTimePlayer2Edit")->setText(QStringLiteral("17"));
            driver.dialogs.nextPath = dir.filePath(QStringLiteral("game.zgn"));
            QVERIFY(driver.trigger(QStringLiteral("Enregistrer la partie…")));
            boardPath = driver.browseBoard("2 2 2 2 2 2 2 2\n");
            QVERIFY(driver.trigger(QStringLiteral("Retourner le plateau")));
            driver.window->resize(driver.window->minimumSizeHint() + QSize(30, 30));
            windowSize = driver.window->size();
        }
        WindowDriver driver(false);
        // A remote side waits for the green button.
        QVERIFY(!driver.controller()->game()->turn());
        QCOMPARE(driver.controller()->serverPort(), quint16(0));
        QVERIFY(driver.status().contains(QStringLiteral("bouton vert")));
        QVERIFY(driver.child<QRadioButton>("player1CpuRB")->isChecked());
        QVERIFY(driver.child<QRadioButton>("level3_player1_RB")->isChecked());
        QVERIFY(!driver.child<QCheckBox>("timerPlayer1CB")->isChecked());
        QVERIFY(!driver.child<QLineEdit>("maxTimePlayer1Edit")->isEnabled());
        QVERIFY(driver.child<QRadioButton>("player2SocketRB")->isChecked());
        QCOMPARE(driver.child<QLineEdit>("maxTimePlayer2Edit")->text(), QStringLiteral("17"));
        QVERIFY(driver.child<QRadioButton>("customBoardRB")->isChecked());
        QCOMPARE(driver.child<QLineEdit>("boardLineEdit")->text(), boardPath);
        QVERIFY(driver.action(QStringLiteral("Retourner le plateau"))->isChecked());
        QCOMPARE(driver.window->size(), windowSize);
        driver.click("BrowseButton");
        QVERIFY(driver.trigger(QStringLiteral("Ouvrir une partie…")));
        QCOMPARE(driver.dialogs.captions.value(0).section('|', 1, 1), QFileInfo(boardPath).absolutePath());
        QCOMPARE(driver.dialogs.captions.value(1).section('|', 1, 1), dir.path());
        driver.click("startGameButton");
        QCOMPARE(driver.status(), QStringLiteral("Attente de connection du joueur 2 (noir)..."));
    }

    // The options remembered are those of the first game: a computer plays at once.
    void theRememberedOptionsPlay()
    {
        {
            WindowDriver driver;
            driver.click("player2CpuRB");
        }
        WindowDriver driver(false);
        QCOMPARE(driver.controller()->game()->options().black.kind, PlayerKind::Cpu);
        driver.play("B2", "B3");
        QTRY_COMPARE(driver.moveLines().size(), 2);
        QCOMPARE(driver.controller()->game()->humanSide(), Side::Red);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
