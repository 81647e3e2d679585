#include "ReferenceSearch.h"
#include "ZarvikBoard.h"

#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run engine(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(ZARVIK_ENGINE), arguments);
    Run run;
    if (!process.waitForFinished(120000))
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QString dataFile(const QString &name)
{
    return QStringLiteral(SEARCH_TEST_DATA "/") + name;
}

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(file.readAll()) : QString();
}

QString compact(const Move &move)
{
    return move.toText(8, 8).remove(QLatin1Char(' '));
}

// The reference search's depths written the way analyse writes them.
class DepthText : public DepthListener
{
public:
    void depthCompleted(const DepthReport &report) override
    {
        text += QStringLiteral("depth %1 nodes %2 best %3 score %4\nscores")
                    .arg(report.depth).arg(report.nodeCount).arg(compact(report.best)).arg(report.bestScore);
        for (int i = 0; i < report.moveCount; ++i)
            text += QStringLiteral(" %1:%2").arg(compact(report.moves[i])).arg(report.scores[i]);
        text += QLatin1Char('\n');
    }
    QString text;
};

} // namespace

class TestEngine : public QObject
{
    Q_OBJECT

private slots:
    // The golden text is itself what the plain reference search finds.
    void analyseMatchesGoldenText()
    {
        const QString golden = readText(dataFile(QStringLiteral("analyse-golden.txt")));
        QVERIFY(!golden.isEmpty());
        const Run run = engine({QStringLiteral("analyse"), dataFile(QStringLiteral("analyse.brd")), QStringLiteral("--side"),
                                QStringLiteral("black"), QStringLiteral("--level"), QStringLiteral("3"),
                                QStringLiteral("--depth"), QStringLiteral("5"), QStringLiteral("--seed"), QStringLiteral("7")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, golden);

        ZarvikBoard board;
        QVERIFY(board.loadFromFile(dataFile(QStringLiteral("analyse.brd"))));
        DepthText reference;
        ReferenceSearch(board).run(SearchSettings{ZarvikBoard::black, 3, 5, -1, 7}, std::atomic<bool>(false), &reference);
        QCOMPARE(reference.text, golden);
    }

    void analyseCapsDepthAtLevelOne()
    {
        const Run run = engine({QStringLiteral("analyse"), dataFile(QStringLiteral("racing.brd")), QStringLiteral("--side"),
                                QStringLiteral("red"), QStringLiteral("--level"), QStringLiteral("1"),
                                QStringLiteral("--depth"), QStringLiteral("6")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out.count(QStringLiteral("depth ")), 1);
        QVERIFY(run.out.startsWith(QStringLiteral("depth 2 nodes ")));
    }

    // The node count of the bench changes only when the search's behaviour does.
    void benchSignatureIsUnchanged()
    {
        const Run run = engine({QStringLiteral("bench"), QStringLiteral("--signature")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("signature 27742509\n"));
    }

    void perftCountsLeaves()
    {
        const Run run = engine({QStringLiteral("perft"), QStringLiteral("3"), QStringLiteral("--side"), QStringLiteral("black")});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QStringLiteral("depth 1 leaves 22\ndepth 2 leaves 484\ndepth 3 leaves 11132\n"));
    }

    void helpNamesEveryCommand()
    {
        const Run run = engine({QStringLiteral("--help")});
        QCOMPARE(run.exitCode, 0);
        for (const char *command : {"zarvik-engine perft DEPTH", "zarvik-engine analyse FILE.brd", "zarvik-engine bench"})
            QVERIFY2(run.out.contains(QLatin1String(command)), command);
    }

    void badCommandLinesFail_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("no command") << QStringList();
        QTest::newRow("unknown command") << QStringList{QStringLiteral("play")};
        QTest::newRow("depth not a number") << QStringList{QStringLiteral("perft"), QStringLiteral("x")};
        QTest::newRow("unknown side") << QStringList{QStringLiteral("perft"), QStringLiteral("2"), QStringLiteral("--side"),
                                                     QStringLiteral("blue")};
        QTest::newRow("missing level") << QStringList{QStringLiteral("analyse"), dataFile(QStringLiteral("racing.brd")),
                                                      QStringLiteral("--side"), QStringLiteral("red"),
                                                      QStringLiteral("--depth"), QStringLiteral("3")};
        QTest::newRow("missing board file") << QStringList{QStringLiteral("analyse"), dataFile(QStringLiteral("none.brd")),
                                                           QStringLiteral("--side"), QStringLiteral("red"),
                                                           QStringLiteral("--level"), QStringLiteral("2"),
                                                           QStringLiteral("--depth"), QStringLiteral("3")};
    }
    void badCommandLinesFail()
    {
        QFETCH(QStringList, arguments);
        const Run run = engine(arguments);
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.out.isEmpty());
        QVERIFY(!run.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_engine.moc"
