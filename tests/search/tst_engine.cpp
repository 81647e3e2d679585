// SPDX-License-Identifier: GPL-3.0-or-later
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
} // namespace

class TestEngine : public QObject
{
    Q_OBJECT

private slots:
    // analyse prints the search depth by depth, at level 1 to depth 2 only; the golden
    // text keeps it from drifting (the exactness test holds it to the reference search).
    void analyseMatchesGoldenText()
    {
        QFile golden(SEARCH_TEST_DATA "/analyse-golden.txt");
        QVERIFY(golden.open(QFile::ReadOnly | QFile::Text));
        const Run run = engine("analyse DATA/analyse.brd --side black --level 3 --depth 5 --seed 7");
        QVERIFY(run.exitCode == 0 && run.out == golden.readAll());
        const QString levelOne = engine("analyse DATA/analyse.brd --side red --level 1 --depth 6").out;
        QVERIFY2(levelOne.startsWith("depth 2 ") && levelOne.count("depth ") == 1, qPrintable(levelOne));
    }

    // Level 4 prints a line per depth: selective depth, score, nodes, nodes per second, line of play.
    void analyseLevelFour()
    {
        const Run run = engine("analyse DATA/analyse.brd --side black --level 4 --depth 4 --threads 1");
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        for (int depth = 1; depth <= 4; ++depth)
            QVERIFY2(QRegularExpression(QString("^depth %1 seldepth \\d+ score -?\\d+ nodes \\d+ nps \\d+ pv( [A-H][1-8]-[A-H][1-8]){1,%1}$")
                                            .arg(depth)).match(lines[depth - 1]).hasMatch(), qPrintable(run.out));
        // Red's free stone on B6 arrives on its second move.
        const QString race = engine("analyse DATA/racing.brd --side red --level 4 --depth 8 --threads 1").out;
        QVERIFY2(race.contains(" score 29997 gagne en 2 "), qPrintable(race));
    }

    // tune replays the games, fits the weights to them and prints every one; an
    // unreadable file is exit code 2.
    void tuneFitsTheGames()
    {
        const Run run = engine("tune DATA/games.rec --steps 20");
        const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
        QVERIFY2(run.exitCode == 0 && lines.size() == 2 + 22, qPrintable(run.out + run.err));
        const QRegularExpressionMatch counts = QRegularExpression("^games 12 samples (\\d+) scale ").match(lines[0]);
        QVERIFY2(counts.hasMatch() && counts.captured(1).toInt() > 100, qPrintable(lines[0]));
        const QStringList errors = lines[1].split(' ');
        QVERIFY2(errors.size() == 4 && errors[3].toDouble() < errors[1].toDouble(), qPrintable(lines[1]));
        QVERIFY(QRegularExpression("^stone -?\\d+ ").match(lines[2]).hasMatch() && lines.last().startsWith("tempo "));
        QCOMPARE(engine("tune DATA/missing.rec").exitCode, 2);
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
