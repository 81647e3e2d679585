// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameRecordReader.h"
#include "ZarvikBoard.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <signal.h>

// zarvik-engine match between zarvik-engine connect and a program that misbehaves:
// every game ends with the misbehaving side's loss, for the right reason, and none
// of its programs outlives the match.
class TestMatch : public QObject
{
    Q_OBJECT

private slots:
    void misbehavingProgramsLose_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("termination");
        QTest::newRow("crash") << "crash" << "crash";
        QTest::newRow("hang") << "hang" << "time-out";
        QTest::newRow("cheat") << "cheat" << "illegal move";
        QTest::newRow("leave") << "leave" << "disconnection";
        QTest::newRow("silent") << "silent" << "never connected";
    }

    void misbehavingProgramsLose()
    {
        QFETCH(QString, mode);
        QFETCH(QString, termination);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // The initial position with black to move: the second game swaps the colours.
        ZarvikBoard initial;
        const QString start = initial.toText() + QStringLiteral("b");
        const QString openings = dir.filePath("openings.txt");
        const QString records = dir.filePath("games.txt");
        const QString pids = dir.filePath("pids");
        QVERIFY(writeFile(openings, "# black first\n" + start.toUtf8() + '\n'));

        QProcess match;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("ZARVIK_TESTBOT_PIDS", pids);
        match.setProcessEnvironment(environment);
        match.start(QStringLiteral(ZARVIK_ENGINE),
                    {"match", "--player", QStringLiteral("cmd:%1 connect --port {port} --time 0,name=good,tc=2")
                                              .arg(QStringLiteral(ZARVIK_ENGINE)),
                     "--player", QStringLiteral("cmd:%1 %2 {port},name=bad").arg(QStringLiteral(TESTBOT), mode),
                     "--games", "2", "--concurrency", "2", "--openings", openings, "--records", records,
                     "--connect-timeout", "2", "--seed", "7"});
        QVERIFY(match.waitForFinished(120000));
        const QString output = QString::fromUtf8(match.readAllStandardOutput());
        QVERIFY2(match.exitStatus() == QProcess::NormalExit && match.exitCode() == 0,
                 qPrintable(output + match.readAllStandardError()));
        QVERIFY2(output.contains(QRegularExpression("\nbad +2 +0 +0 +2 +0\\.0%")), qPrintable(output));
        QVERIFY2(output.contains(QStringLiteral(", %1 2,").arg(termination)), qPrintable(output));

        QFile file(records);
        QVERIFY(file.open(QIODevice::ReadOnly));
        std::vector<GameRecord> games;
        QString error;
        QVERIFY2(GameRecordReader::readAll(file, games, &error), qPrintable(error));
        QCOMPARE(int(games.size()), 2);
        QSet<QString> rounds;
        for (const GameRecord &game : games) {
            rounds << game.tag("Round");
            QCOMPARE(game.tag("Start"), start);
            QCOMPARE(game.tag("Termination"), termination);
            QCOMPARE(game.result(), game.tag("Red") == "bad" ? GameRecord::blackWins : GameRecord::redWins);
            ZarvikBoard board;
            QVERIFY(game.replay(board));
        }
        QCOMPARE(rounds, QSet<QString>({"1", "2"}));
        for (const QByteArray &pid : readFile(pids).split('\n'))
            if (!pid.isEmpty())
                QVERIFY2(::kill(pid_t(pid.toInt()), 0) != 0, pid.constData());
    }

    // One seed, the same games at level 1; the computer's draws otherwise keep them apart.
    void seedRepeatsGames()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QStringList moves;
        for (const QString seed : {"11", "11", "12"}) {
            const QString records = dir.filePath("games-" + QString::number(moves.size()));
            QProcess match;
            match.start(QStringLiteral(ZARVIK_ENGINE), {"match", "--player", "cpu:1:1", "--player", "cpu:1:1,name=b",
                                                        "--games", "2", "--seed", seed, "--records", records});
            QVERIFY(match.waitForFinished(120000) && match.exitCode() == 0);
            QFile file(records);
            std::vector<GameRecord> games;
            QVERIFY(file.open(QIODevice::ReadOnly) && GameRecordReader::readAll(file, games) && games.size() == 2);
            std::sort(games.begin(), games.end(), [](const GameRecord &a, const GameRecord &b) {
                return a.tag("Round") < b.tag("Round");
            });
            QString text;
            for (const GameRecord &game : games)
                text += game.toText().section("\n\n", 1);
            moves << text;
        }
        QCOMPARE(moves[1], moves[0]);
        QVERIFY(moves[2] != moves[0]);
    }

private:
    static bool writeFile(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

QTEST_MAIN(TestMatch)
#include "tst_match.moc"
