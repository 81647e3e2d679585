#include "ReferenceSearch.h"
#include "ZarvikBoard.h"

#include <QtTest>

namespace {
struct Run { int exitCode = -1; QString out, err; };

// Runs the engine with the words of the text as arguments; DATA/ names the test data.
Run engine(const QString &text)
{
    QStringList arguments = text.split(' ', Qt::SkipEmptyParts);
    arguments.replaceInStrings("DATA/", SEARCH_TEST_DATA "/");
    QProcess process;
    process.start(ZARVIK_ENGINE, arguments);
    if (!process.waitForFinished(120000))
        return Run();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// What the plain reference search finds, written the way analyse writes it.
QString referenceText(Board &board, const SearchSettings &settings)
{
    struct : DepthListener {
        void depthCompleted(const DepthReport &r) override
        {
            const auto compact = [](const Move &move) { return move.toText(8, 8).remove(' '); };
            text += QString("depth %1 nodes %2 best %3 score %4\nscores")
                        .arg(r.depth).arg(r.nodeCount).arg(compact(r.best)).arg(r.bestScore);
            for (int i = 0; i < r.moveCount; ++i)
                text += QString(" %1:%2").arg(compact(r.moves[i])).arg(r.scores[i]);
            text += '\n';
        }
        QString text;
    } log;
    ReferenceSearch(board).run(settings, std::atomic<bool>(false), &log);
    return log.text;
}
} // namespace

class TestEngine : public QObject
{
    Q_OBJECT

private slots:
    // analyse prints what the plain reference search finds, depth by depth (at level 1
    // depth 2 only); the golden text keeps both from drifting.
    void analyseMatchesGoldenText()
    {
        ZarvikBoard board;
        QFile golden(SEARCH_TEST_DATA "/analyse-golden.txt");
        QVERIFY(board.loadFromFile(SEARCH_TEST_DATA "/analyse.brd") && golden.open(QFile::ReadOnly | QFile::Text));
        const Run run = engine("analyse DATA/analyse.brd --side black --level 3 --depth 5 --seed 7");
        QVERIFY(run.exitCode == 0 && run.out == golden.readAll());
        QCOMPARE(run.out, referenceText(board, {ZarvikBoard::black, 3, 5, -1, 7}));
        QCOMPARE(engine("analyse DATA/analyse.brd --side red --level 1 --depth 6").out,
                 referenceText(board, {ZarvikBoard::red, 1, 2, -1, 1}));
    }

    // Level 4 prints a line per depth: score, nodes, nodes per second, line of play.
    void analyseLevelFour()
    {
        const Run run = engine("analyse DATA/analyse.brd --side black --level 4 --depth 4 --threads 1");
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        for (int depth = 1; depth <= 4; ++depth)
            QVERIFY2(QRegularExpression(QString("^depth %1 score -?\\d+ nodes \\d+ nps \\d+ pv( [A-H][1-8]-[A-H][1-8]){1,%1}$")
                                            .arg(depth)).match(lines[depth - 1]).hasMatch(), qPrintable(run.out));
    }

    // The node count of the bench changes only when the search's behaviour does.
    void benchSignatureIsUnchanged()
    {
        const Run run = engine("bench --signature");
        QVERIFY(run.exitCode == 0 && run.out == "signature 27742509\n");
    }

    // Leaf counts; or exit code 1, nothing on stdout and the reason on stderr.
    void commandLines()
    {
        QCOMPARE(engine("perft 3 --side black").out,
                 QString("depth 1 leaves 22\ndepth 2 leaves 484\ndepth 3 leaves 11132\n"));
        for (const char *wrong : {"", "play", "perft x", "perft 2 --side blue",
                                  "analyse DATA/racing.brd --side red --depth 3", // no level
                                  "analyse DATA/racing.brd --side red --level 5 --depth 3",
                                  "analyse DATA/none.brd --side red --level 2 --depth 3",
                                  "perft 2 --board DATA/analyse-golden.txt"}) {
            const Run run = engine(wrong);
            QVERIFY2(run.exitCode == 1 && run.out.isEmpty() && !run.err.isEmpty(), wrong);
        }
        // A file that is not a board: the window's French reason.
        QCOMPARE(engine("analyse DATA/analyse-golden.txt --side red --level 2 --depth 3").err,
                 QString("Le fichier « " SEARCH_TEST_DATA "/analyse-golden.txt » n'est pas un plateau : ligne 1 : "
                         "code « depth » inconnu (0 à 4).\n"));
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
