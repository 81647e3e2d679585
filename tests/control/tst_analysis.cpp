// SPDX-License-Identifier: GPL-3.0-or-later
#include "Analysis.h"
#include "AnalysisView.h"
#include "GameController.h"
#include "TestBoards.h"
#include "EvaluationGraph.h"
#include "WindowDriver.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// The moves of the line that can be played one after the other from the position,
// side moving first and the sides taking turns.
int legalPrefix(const Board &from, Side side, const QStringList &line)
{
    ZarvikBoard board;
    board.cells = from.cells;
    int legal = 0;
    for (const QString &text : line) {
        Move move;
        if (!move.parse(text.toLatin1().constData(), 8, 8) || !board.isLegal(move, side))
            break;
        board.applyMove(move);
        side = ~side;
        ++legal;
    }
    return legal;
}

QString lastOf(const QSignalSpy &spy)
{
    return spy.isEmpty() ? QString() : spy.last().at(0).toString();
}

struct Report
{
    Side side;
    int depth;
    int score;
    QStringList line;
};

// The depths an analysis tells, in order.
struct Reports : std::vector<Report>
{
    explicit Reports(Analysis &analysis)
    {
        QObject::connect(&analysis, &Analysis::deepened, &analysis,
                         [this](Side side, int depth, int score, int, const QStringList &line) {
                             push_back({side, depth, score, line});
                         });
    }
    int size() const { return int(std::vector<Report>::size()); }
};
} // namespace

class TestAnalysis : public QObject
{
    Q_OBJECT

    GameController host{GameController::Settings{0, 0}};
    const GameModel *game = host.model();

    // Shows a game from this position with these moves, at its end.
    void setUp(const char *stones, Side toMove, const std::vector<Move> &moves = {})
    {
        ZarvikBoard board;
        position(board, stones);
        GameRecord record;
        record.setStart(board, toMove);
        record.moves = moves;
        QVERIFY(host.game()->open(record));
    }

    void showOpening(const std::vector<Move> &moves)
    {
        GameRecord record = GameRecord::fromInitialPosition();
        record.moves = moves;
        QVERIFY(host.game()->open(record));
    }

    // Every report so far is the side's, deeper than the one before, with a line that
    // is played out legally from the position shown.
    static void checkReports(const Reports &depths, const Board &shown, Side side)
    {
        for (int i = 0; i < depths.size(); ++i) {
            const Report &report = depths[size_t(i)];
            QCOMPARE(report.side, side);
            QVERIFY(i == 0 || report.depth > depths[size_t(i) - 1].depth);
            QVERIFY(!report.line.isEmpty());
            QCOMPARE(legalPrefix(shown, side, report.line), report.line.size());
        }
    }

private slots:
    void init()
    {
        host.stopGame();
        showOpening({});
    }

    // Shown on a position, it reports deeper and deeper lines for the side to move;
    // the cursor moved back, it searches the position shown then for the other side.
    void followsThePositionShown()
    {
        showOpening({move("B2", "B3"), move("G7", "G6")});
        Analysis analysis(host.game());
        Reports depths(analysis);
        QSignalSpy statuses(&analysis, &Analysis::statusChanged);
        analysis.setActive(true);
        QTRY_VERIFY(depths.size() >= 3);
        checkReports(depths, game->position(), Side::Red);
        QCOMPARE(lastOf(statuses), QString("Analyse en cours…"));
        host.game()->showPly(1);
        depths.clear();
        QTRY_VERIFY(depths.size() >= 3);
        checkReports(depths, game->position(), Side::Black);
    }

    // The score is the side to move's: red's stone on A7 wins at once when red is to
    // move, and black cannot stop it when black is.
    void scoresForTheSideToMove()
    {
        Analysis analysis(host.game());
        Reports depths(analysis);
        setUp("A7:4 H7:2 H8:2", Side::Red);
        analysis.setActive(true);
        QTRY_VERIFY(!depths.empty());
        QVERIFY(depths.front().score > 0);
        QCOMPARE(depths.front().line.first(), QString("A7 - A8"));
        setUp("A7:4 H7:2 H8:2", Side::Black);
        depths.clear();
        QTRY_VERIFY(!depths.empty());
        QVERIFY(depths.front().score < 0);
        checkReports(depths, game->position(), Side::Black);
    }

    // A won or drawn position is told instead of searched; a side that must pass
    // leaves the search to the other.
    void positionsWithoutSearch()
    {
        Analysis analysis(host.game());
        QSignalSpy statuses(&analysis, &Analysis::statusChanged);
        Reports depths(analysis);
        analysis.setActive(true);
        const struct
        {
            const char *stones;
            const char *status;
        } cases[] = {{"D8:4 E2:2", "Rouge a gagné."},
                     {"D1:2 E7:4", "Noir a gagné."},
                     {"", "Aucun camp ne peut jouer : partie nulle."}};
        for (const auto &each : cases) {
            setUp(each.stones, Side::Red);
            QTRY_COMPARE(lastOf(statuses), QString(each.status));
            QVERIFY(!analysis.isSearching());
        }
        depths.clear();
        setUp("D5:2", Side::Red);
        QTRY_VERIFY(!depths.empty());
        QCOMPARE(lastOf(statuses), QString("Rouge ne peut pas jouer et passe."));
        checkReports(depths, game->position(), Side::Black);
    }

    // While the computer playing black thinks, the analysis is stopped and tells no
    // depth; it goes on once black has moved.
    void waitsWhileTheComputerThinks()
    {
        GameOptions options;
        options.black.kind = PlayerKind::Cpu;
        options.black.level = 3;
        options.black.seconds = 1;
        host.startGame(options);
        Analysis analysis(host.game());
        QStringList events;
        bool searchedWhileThinking = false;
        connect(host.game(), &Game::thinkingChanged, &analysis, [&](bool thinking) {
            events << (thinking ? "thinks" : "moved");
            searchedWhileThinking = searchedWhileThinking || (thinking && analysis.isSearching());
        });
        connect(&analysis, &Analysis::deepened, &host, [&] { events << "depth"; });
        analysis.setActive(true);
        QTRY_VERIFY(events.contains("depth"));
        host.game()->playMove(move("B2", "B3"));
        QTRY_VERIFY_WITH_TIMEOUT(events.contains("moved") && events.last() == "depth", 20000);
        const int thinks = int(events.indexOf("thinks")), moved = int(events.indexOf("moved"));
        QVERIFY2(thinks >= 0 && moved == thinks + 1, qPrintable(events.join(' ')));
        QVERIFY(!searchedWhileThinking);
        QCOMPARE(game->plies().size(), size_t(2));
        host.game()->disconnect(&analysis);
    }

    // Hidden, it stops at once and no longer follows the game.
    void stopsWhenOff()
    {
        Analysis analysis(host.game());
        Reports depths(analysis);
        analysis.setActive(true);
        QTRY_VERIFY(!depths.empty());
        analysis.setActive(false);
        QVERIFY(!analysis.isSearching());
        depths.clear();
        showOpening({move("B2", "B3")});
        QCoreApplication::processEvents();
        QVERIFY(!analysis.isSearching() && depths.empty());
    }

    // The view writes depth, score and line, and a new status takes them away.
    void viewShowsADepth()
    {
        AnalysisView view;
        view.showDepth(Side::Black, 7, -35, 0, {"G7 - G6", "B2 - B3"});
        const auto text = [&view](const char *name) { return view.findChild<QLabel *>(name)->text(); };
        QCOMPARE(text("analysisDepth"), QString("Profondeur 7"));
        QCOMPARE(text("analysisScore"), QString("Score -35 pour noir"));
        QCOMPARE(text("analysisLine"), QString("Ligne attendue : G7\u00a0-\u00a0G6, B2\u00a0-\u00a0B3"));
        view.showDepth(Side::Red, 8, 12, 0, {"B2 - B3"});
        QCOMPARE(text("analysisScore"), QString("Score +12 pour rouge"));
        view.showDepth(Side::Red, 9, 29999, 1, {"A7 - A8"});
        QCOMPARE(text("analysisScore"), QString("Rouge gagne en 1 coup"));
        view.showStatus("Rouge a gagné.");
        QCOMPARE(text("analysisStatus") + text("analysisDepth") + text("analysisLine"), QString("Rouge a gagné."));
    }

    // A sure end is told in the moves left to the side to move, not as a score: with
    // red's stone two steps from the far row, red wins in two moves and black, to
    // move instead, loses in two.
    void aSureEndIsToldInMoves()
    {
        WindowDriver driver;
        driver.action("Analyse")->trigger();
        const auto *score = driver.child<QDockWidget>("analysisDock")->findChild<QLabel *>("analysisScore");
        for (const auto &[side, said] : {std::pair(Side::Red, "Rouge gagne en 2 coups"),
                                         std::pair(Side::Black, "Noir perd en 2 coups")}) {
            ZarvikBoard board;
            position(board, "A6:4 H7:2 H8:2");
            GameRecord record;
            record.setStart(board, side);
            QVERIFY(driver.controller()->game()->open(record));
            QTRY_COMPARE_WITH_TIMEOUT(score->text(), QString(said), 20000);
        }
    }

    // The window's panel is hidden at first and shown and hidden from the Affichage
    // menu's action, which has a shortcut; shown, it fills in as the search deepens,
    // and the window widens by it rather than cover the move list.
    void windowPanel()
    {
        WindowDriver driver;
        auto *dock = driver.child<QDockWidget>("analysisDock");
        auto *analysis = dock->findChild<Analysis *>();
        QVERIFY(!dock->isVisible() && !analysis->isSearching());
        QAction *toggle = driver.action("Analyse");
        QVERIFY(toggle && !toggle->shortcut().isEmpty());
        const int narrow = driver.window->width();
        const int central = driver.window->centralWidget()->width();
        toggle->trigger();
        QTRY_VERIFY(dock->findChild<QLabel *>("analysisDepth")->text().startsWith("Profondeur"));
        QVERIFY(analysis->isSearching());
        QTRY_VERIFY(driver.window->width() > narrow + dock->width() / 2);
        QTRY_COMPARE(driver.window->centralWidget()->width(), central);
        toggle->trigger();
        QVERIFY(!dock->isVisible() && !analysis->isSearching());
        QTRY_COMPARE(driver.window->width(), narrow);
    }

    // A game with a blunder, reviewed in the window: the move list and the graph tell
    // it by its sign, the graph chooses the position shown, and a saved game keeps
    // the labels, which come back when it is opened.
    void aGameIsReviewed()
    {
        WindowDriver driver;
        // Red should take black's runner on C3 with D2; it plays H2 - H3 instead.
        driver.startCustom("0 0 0 0 0 0 0 0\n0 0 0 0 0 0 2 0\n" + QByteArray("0 0 0 0 0 0 0 0\n").repeated(3)
                           + "0 0 2 0 0 0 0 0\n0 0 0 4 0 0 0 4\n");
        for (const auto &[from, to] : {std::pair{"H2", "H3"}, {"C3", "C2"}, {"H3", "H4"}, {"C2", "C1"}})
            driver.play(from, to);
        QTRY_COMPARE(driver.dialogs.informations.size(), 1);
        QVERIFY(driver.trigger(QStringLiteral("Analyser la partie")));
        QTRY_COMPARE_WITH_TIMEOUT(driver.moveLines().value(0), QStringLiteral("1. H2 - H3 ??"), 20000);
        auto *graph = driver.window->findChild<EvaluationGraph *>();
        QVERIFY(graph->accessibleDescription().startsWith(QStringLiteral("Coup 4, C2 - C1 : rouge a 0 %")));
        graph->setFocus();
        QTest::keyClick(graph, Qt::Key_Left);
        QCOMPARE(driver.controller()->model()->cursor(), 3);
        QVERIFY(graph->accessibleDescription().startsWith(QStringLiteral("Coup 3")));
        QTemporaryDir dir;
        driver.dialogs.nextPath = dir.filePath(QStringLiteral("revue.zgn"));
        QVERIFY(driver.trigger(QStringLiteral("Enregistrer la partie…")));
        QFile saved(driver.dialogs.nextPath);
        QVERIFY(saved.open(QIODevice::ReadOnly) && saved.readAll().contains("{?? mieux : D2 - C3"));
        driver.click("startGameButton");
        QVERIFY(driver.moveLines().isEmpty());
        QVERIFY(driver.trigger(QStringLiteral("Ouvrir une partie…")));
        QCOMPARE(driver.moveLines().value(0), QStringLiteral("1. H2 - H3 ??"));
    }
};

QTEST_MAIN(TestAnalysis)
#include "tst_analysis.moc"
