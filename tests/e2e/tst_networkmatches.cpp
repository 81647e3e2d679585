#include "GameController.h"
#include "WindowDriver.h"
#include "ZarvikBoard.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QTcpServer>
#include <QtTest>

namespace {

// Generous: the machine may be loaded, and a sanitizer build is slow.
constexpr int connectMs = 60000;
constexpr int gameMs = 300000;

const QStringList engineOptions = {QStringLiteral("--level"), QStringLiteral("1"), QStringLiteral("--time"),
                                   QStringLiteral("1"), QStringLiteral("--verbose")};

// Red's one stone on A1 needs seven moves; black's small stone (code 1) never
// wins and cannot move once on the bottom row, after four moves: black then
// passes every turn until red has won.
const QByteArray blackPassesBoard = "0 0 0 0 0 0 0 0 \n0 0 0 0 0 0 0 0 \n0 0 0 0 0 0 0 0 \n0 0 0 0 0 0 0 1 \n"
                                    "0 0 0 0 0 0 0 0 \n0 0 0 0 0 0 0 0 \n0 0 0 0 0 0 0 0 \n4 0 0 0 0 0 0 0 \n";

// A remote program: zarvik-engine connect on the program's port.
struct Engine
{
    ~Engine()
    {
        // A program left waiting by a failed test.
        if (!done()) {
            process.kill();
            process.waitForFinished();
        }
    }
    void start()
    {
        process.start(QStringLiteral(ZARVIK_ENGINE), QStringList{QStringLiteral("connect")} + engineOptions);
    }
    bool done() const { return process.state() == QProcess::NotRunning; }
    // Read once the process has ended.
    void collect()
    {
        out = QString::fromUtf8(process.readAllStandardOutput());
        trace = QString::fromUtf8(process.readAllStandardError());
    }
    // The moves it sent, from its trace: -> "B2 - B3\n".
    QStringList sentMoves() const
    {
        QStringList moves;
        static const QRegularExpression sent(QStringLiteral("^-> \"(.*)\\\\n\"$"), QRegularExpression::MultilineOption);
        for (auto match = sent.globalMatch(trace); match.hasNext();)
            moves << match.next().captured(1);
        return moves;
    }

    QProcess process;
    QString out;
    QString trace;
};

// A move of the list: "12. B2 - B3", or "12. [B2 - C3]" for a capture.
struct ListedMove
{
    int number = 0;
    bool capture = false;
    QString text;
};

bool readListedMove(const QString &line, ListedMove &listed)
{
    static const QRegularExpression form(QStringLiteral("^(\\d+)\\. (\\[?)([A-H][1-8] - [A-H][1-8])(\\]?)$"));
    const QRegularExpressionMatch match = form.match(line);
    if (!match.hasMatch() || match.captured(2).isEmpty() != match.captured(4).isEmpty())
        return false;
    listed = {match.captured(1).toInt(), !match.captured(2).isEmpty(), match.captured(3)};
    return true;
}

bool canMove(const ZarvikBoard &board, int side)
{
    MoveList list;
    board.generateMoves(side, list);
    return list.count > 0;
}

// Another test run may hold the program's port for a while: wait until it is free.
bool waitForFreePort()
{
    QDeadlineTimer deadline(connectMs);
    while (!deadline.hasExpired()) {
        QTcpServer probe;
        if (probe.listen(QHostAddress::Any, GameController::port))
            return true;
        QTest::qWait(200);
    }
    return false;
}

} // namespace

class TestNetworkMatches : public QObject
{
    Q_OBJECT

private:
    // Replays the window's move list on board, checking each move: numbered in order,
    // legal for the side to move (a side without a move passes), written in that
    // side's colour, a capture exactly when it takes a stone, and only the last one
    // winning. Gives each move's text by side, and the winner.
    static void replayMoveList(const WindowDriver &driver, ZarvikBoard &board, QStringList movesBy[2], int &winner)
    {
        const QStringList lines = driver.moveLines();
        QVERIFY(!lines.isEmpty());
        int side = ZarvikBoard::red;
        winner = ZarvikBoard::nobody;
        for (int i = 0; i < lines.size(); ++i) {
            ListedMove listed;
            QVERIFY2(readListedMove(lines[i], listed), qPrintable(lines[i]));
            QCOMPARE(listed.number, i + 1);
            QCOMPARE(winner, int(ZarvikBoard::nobody));
            if (!canMove(board, side))
                side = 1 - side;
            Move move;
            QVERIFY(move.parse(listed.text.toLatin1().constData(), 8, 8));
            QVERIFY2(board.isLegal(move, side), qPrintable(lines[i]));
            board.applyMove(move);
            QCOMPARE(listed.capture, move.captured != 0);
            QCOMPARE(driver.moveColor(i), QColor(side == ZarvikBoard::red ? Qt::red : Qt::black));
            movesBy[side] << listed.text;
            if (board.hasWon(side))
                winner = side;
            side = 1 - side;
        }
        QVERIFY(winner != ZarvikBoard::nobody);
    }

    // The game is over with a win: the box and the status bar say who, the list is
    // a whole legal game won by that side, and every remote program ended well,
    // having sent exactly its side's moves of the list.
    static void checkFinishedGame(WindowDriver &driver, ZarvikBoard &board, Engine *engines[2], int &winner)
    {
        QStringList movesBy[2];
        replayMoveList(driver, board, movesBy, winner);
        if (QTest::currentTestFailed())
            return;
        const QString text = winner == ZarvikBoard::red ? QStringLiteral("Joueur 1 gagne la partie")
                                                        : QStringLiteral("Joueur 2 gagne la partie");
        QCOMPARE(driver.dialogs.informations, QStringList{QStringLiteral("Partie terminée|") + text});
        QCOMPARE(driver.status(), text);
        QCOMPARE(driver.controller()->turn, 2);
        const QString lastMove = movesBy[winner].constLast();
        for (int side : {0, 1}) {
            Engine *engine = engines[side];
            if (!engine)
                continue;
            engine->collect();
            QCOMPARE(engine->process.exitStatus(), QProcess::NormalExit);
            QVERIFY2(engine->process.exitCode() == 0, qPrintable(engine->trace));
            QVERIFY2(!engine->trace.contains(QStringLiteral("warning")), qPrintable(engine->trace));
            QCOMPARE(engine->out, QStringLiteral("%1 as %2, last move %3\n")
                                      .arg(winner == side ? QStringLiteral("won") : QStringLiteral("lost"),
                                           side == 0 ? QStringLiteral("red") : QStringLiteral("black"), lastMove));
            QCOMPARE(engine->sentMoves(), movesBy[side]);
        }
    }

    // Both sides "Réseau": red's program is started once the program waits for it,
    // black's once red has joined.
    static void playTwoEngines(WindowDriver &driver, Engine &red, Engine &black)
    {
        QVERIFY(waitForFreePort());
        driver.click("player1SocketRB");
        driver.click("player2SocketRB");
        driver.click("startGameButton");
        QCOMPARE(driver.status(), QStringLiteral("Attente de connection du joueur 1 (rouge)..."));
        red.start();
        QTRY_COMPARE_WITH_TIMEOUT(driver.status(), QStringLiteral("Attente de connection du joueur 2 (noir)..."),
                                  connectMs);
        black.start();
        waitForEnd(driver, {&red, &black});
    }

    // Until every program has ended, or the game has ended otherwise than by a win
    // (then a program may wait for ever).
    static void waitForEnd(WindowDriver &driver, const QList<Engine *> &engines)
    {
        const auto allDone = [&] {
            return std::all_of(engines.begin(), engines.end(), [](const Engine *engine) { return engine->done(); });
        };
        const auto cancelled = [&] {
            return !driver.dialogs.informations.isEmpty()
                   && !driver.dialogs.informations.constFirst().contains(QStringLiteral("gagne"));
        };
        QTRY_VERIFY_WITH_TIMEOUT(allDone() || cancelled(), gameMs);
        if (allDone())
            return;
        QString story = driver.dialogs.informations.join(QLatin1Char('\n'));
        for (Engine *engine : engines)
            story += QLatin1Char('\n') + QString::fromUtf8(engine->process.readAllStandardError());
        QFAIL(qPrintable(story));
    }

private slots:
    void twoEnginesPlayAGameToTheEnd()
    {
        WindowDriver driver;
        Engine red, black;
        playTwoEngines(driver, red, black);
        if (QTest::currentTestFailed())
            return;
        ZarvikBoard board;
        board.resetToInitial();
        Engine *engines[2] = {&red, &black};
        int winner = ZarvikBoard::nobody;
        checkFinishedGame(driver, board, engines, winner);
        QVERIFY(red.trace.startsWith(QStringLiteral("-- connected to 127.0.0.1 port 8888\n<- \"1 2 2 2 ")));
        QVERIFY(black.trace.startsWith(QStringLiteral("-- connected to 127.0.0.1 port 8888\n<- \"2 2 2 2 ")));
    }

    void anEngineAgainstTheComputer()
    {
        QVERIFY(waitForFreePort());
        WindowDriver driver;
        driver.click("player1CpuRB");
        driver.click("player2SocketRB");
        driver.click("startGameButton");
        QCOMPARE(driver.status(), QStringLiteral("Attente de connection du joueur 2 (noir)..."));
        Engine black;
        black.start();
        waitForEnd(driver, {&black});
        if (QTest::currentTestFailed())
            return;
        ZarvikBoard board;
        board.resetToInitial();
        Engine *engines[2] = {nullptr, &black};
        int winner = ZarvikBoard::nobody;
        checkFinishedGame(driver, board, engines, winner);
    }

    // Black passes from its fifth turn on: red's program is sent its own last move
    // back, and must not take it for black's.
    void passesAreFollowedByBothEngines()
    {
        WindowDriver driver;
        driver.browseBoard(blackPassesBoard);
        driver.click("customBoardRB");
        Engine red, black;
        playTwoEngines(driver, red, black);
        if (QTest::currentTestFailed())
            return;
        ZarvikBoard board;
        QVERIFY(board.loadFromFile(driver.controller()->customBoardFile));
        Engine *engines[2] = {&red, &black};
        int winner = ZarvikBoard::nobody;
        checkFinishedGame(driver, board, engines, winner);
        QCOMPARE(winner, int(ZarvikBoard::red));
        QCOMPARE(driver.moveLines().size(), 11); // seven red moves, four black ones
        QCOMPARE(red.trace.count(QStringLiteral("our own last move: the opponent passed")), 2);
    }
};

QTEST_MAIN(TestNetworkMatches)
#include "tst_networkmatches.moc"
