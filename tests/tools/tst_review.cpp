// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameRecordReader.h"
#include "GameReview.h"
#include "TestBoards.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QtTest>

namespace {
// Red lets black's runner on C3 through instead of taking it; then an opening; then
// a game where black passes while red walks up.
std::vector<GameRecord> games()
{
    ZarvikBoard board;
    std::vector<GameRecord> records(3, GameRecord::fromInitialPosition());
    position(board, "D2:4 H2:4 C3:2 G7:2");
    records[0].setStart(board, red);
    records[0].moves = {move("H2", "H3"), move("C3", "C2"), move("H3", "H4"), move("C2", "C1")};
    records[0].setResult(GameRecord::blackWins);
    records[1].moves = {move("B2", "B3"), move("G7", "G6"), move("B3", "B4"), move("G6", "G5")};
    position(board, "A6:4 H2:1");
    records[2].setStart(board, black);
    records[2].moves = {move("H2", "H1"), move("A6", "A7"), GameRecord::pass, move("A7", "A8")};
    records[2].setResult(GameRecord::redWins);
    return records;
}

// The games, written to a records file in the folder: its path.
QString writeGames(const QTemporaryDir &dir)
{
    QFile input(dir.filePath("in.rec"));
    if (!input.open(QIODevice::WriteOnly))
        return QString();
    for (const GameRecord &record : games())
        input.write(record.toText().toUtf8());
    return input.fileName();
}

struct Run
{
    int exitCode = -1;
    QString out;
};

Run review(const QStringList &arguments)
{
    QProcess engine;
    engine.start(ZARVIK_ENGINE, QStringList("review") + arguments);
    Run run;
    if (engine.waitForFinished(120000) && engine.exitStatus() == QProcess::NormalExit)
        run.exitCode = engine.exitCode();
    run.out = QString::fromUtf8(engine.readAllStandardOutput());
    return run;
}
} // namespace

class TestReview : public QObject
{
    Q_OBJECT

private slots:
    // Every game is tabled and summed up; the records written are the games read,
    // with a review comment on each move and none on the pass.
    void reviewsAFile()
    {
        QTemporaryDir dir;
        const QString input = writeGames(dir);
        QVERIFY(!input.isEmpty());
        const Run run = review({input, "--time", "0.05", "--output", dir.filePath("out.rec")});
        QVERIFY2(run.exitCode == 0, qPrintable(run.out));
        QCOMPARE(run.out.count("game "), 3);
        QCOMPARE(run.out.count(QRegularExpression("^red: +2 moves, ", QRegularExpression::MultilineOption)), 3);
        QVERIFY2(run.out.contains(QRegularExpression("^   1  H2 - H3    +0%  \\?\\?  D2 - C3$",
                                                     QRegularExpression::MultilineOption)),
                 qPrintable(run.out));
        QFile output(dir.filePath("out.rec"));
        QVERIFY(output.open(QIODevice::ReadOnly));
        std::vector<GameRecord> read;
        QVERIFY(GameRecordReader::readAll(output, read));
        QCOMPARE(int(read.size()), 3);
        for (size_t i = 0; i < read.size(); ++i) {
            QCOMPARE(read[i].moves, games()[i].moves);
            for (size_t ply = 0; ply < read[i].moves.size(); ++ply)
                QCOMPARE(bool(MoveComment::parse(read[i].comment(int(ply)))), read[i].moves[ply] != GameRecord::pass);
        }
        QCOMPARE(MoveComment::labelOf(read[0].comment(0)), MoveLabel::Blunder);
    }

    // At a fixed depth the command and the window's review (GameReview, which the
    // window runs) judge every move of the same games the same way.
    void agreesWithTheWindow()
    {
        QTemporaryDir dir;
        const QString input = writeGames(dir);
        QVERIFY(!input.isEmpty());
        QVERIFY(review({input, "--depth", "6", "--output", dir.filePath("out.rec")}).exitCode == 0);
        QFile output(dir.filePath("out.rec"));
        std::vector<GameRecord> told;
        QVERIFY(output.open(QIODevice::ReadOnly) && GameRecordReader::readAll(output, told));
        QCOMPARE(int(told.size()), int(games().size()));
        for (size_t i = 0; i < told.size(); ++i) {
            GameReview window;
            window.setDepth(6);
            QSignalSpy finished(&window, &GameReview::finished);
            QVERIFY(window.start(games()[i]) && finished.wait(60000));
            GameRecord annotated = games()[i];
            GameReview::annotate(annotated, window.plies());
            for (int ply = 0; ply < int(annotated.moves.size()); ++ply)
                QCOMPARE(told[i].comment(ply), annotated.comment(ply));
        }
    }

    void refusals()
    {
        QCOMPARE(review({"/nonexistent/x.rec"}).exitCode, 2);
        QCOMPARE(review({"x.rec", "--threads", "0"}).exitCode, 1);
        QCOMPARE(review({}).exitCode, 1);
    }
};

QTEST_MAIN(TestReview)
#include "tst_review.moc"
