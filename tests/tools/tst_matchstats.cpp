// SPDX-License-Identifier: GPL-3.0-or-later
#include "EloStats.h"
#include "MatchSchedule.h"
#include "PlayerSpec.h"
#include "Sprt.h"

#include <QtTest>

#include <cmath>

// The match's figures against values computed by hand, its player texts and its
// schedule of colours, openings and shards.
class TestMatchStats : public QObject
{
    Q_OBJECT

private slots:
    void eloFigures_data()
    {
        QTest::addColumn<QVector<int>>("wdl");
        QTest::addColumn<QVector<double>>("figures"); // score, Elo, low, high, LOS
        QTest::newRow("60-20-20") << QVector<int>{60, 20, 20} << QVector<double>{0.70, 147.19, 86.23, 218.25, 1.0};
        QTest::newRow("even") << QVector<int>{10, 0, 10} << QVector<double>{0.5, 0, -163.32, 163.32, 0.5};
        QTest::newRow("drawn") << QVector<int>{0, 8, 0} << QVector<double>{0.5, 0, 0, 0, 0.5};
        QTest::newRow("losing") << QVector<int>{8, 4, 20} << QVector<double>{0.3125, -136.97, -282.89, -27.18, 0.0117};
        // 0.025^(1/100) = 0.96378: 570.03 Elo.
        QTest::newRow("swept") << QVector<int>{0, 0, 100} << QVector<double>{0, -INFINITY, -INFINITY, -570.03, 0};
    }

    void eloFigures()
    {
        QFETCH(QVector<int>, wdl);
        QFETCH(QVector<double>, figures);
        const EloStats stats(wdl[0], wdl[1], wdl[2]);
        const double got[] = {stats.score(), stats.elo(), stats.eloLow(), stats.eloHigh(), stats.los()};
        for (int i = 0; i < 5; ++i)
            QVERIFY2(got[i] == figures[i] || std::abs(got[i] - figures[i]) < 0.01,
                     qPrintable(QString("figure %1: %2").arg(i).arg(got[i])));
        const EloStats sweep(3, 0, 0);
        QVERIFY(std::isinf(sweep.elo()) && sweep.elo() > 0 && std::isinf(sweep.eloHigh()) && sweep.eloLow() < sweep.elo());
    }

    void sprtDecides_data()
    {
        QTest::addColumn<QVector<int>>("wdl");
        QTest::addColumn<double>("llr");
        QTest::addColumn<int>("decision");
        QTest::newRow("leaning to H1") << QVector<int>{60, 20, 20} << 1.7337 << int(Sprt::Decision::Continue);
        QTest::newRow("H1") << QVector<int>{120, 40, 40} << 3.4674 << int(Sprt::Decision::AcceptH1);
        QTest::newRow("H0") << QVector<int>{40, 40, 120} << -3.7262 << int(Sprt::Decision::AcceptH0);
        QTest::newRow("no spread") << QVector<int>{5, 0, 0} << 0.0 << int(Sprt::Decision::Continue);
    }

    void sprtDecides()
    {
        QFETCH(QVector<int>, wdl);
        QFETCH(double, llr);
        QFETCH(int, decision);
        const Sprt sprt(0, 10);
        QVERIFY(std::abs(sprt.upperBound() - std::log(19.0)) < 1e-9 && sprt.lowerBound() == -sprt.upperBound());
        QVERIFY2(std::abs(sprt.llr(wdl[0], wdl[1], wdl[2]) - llr) < 1e-3,
                 qPrintable(QString::number(sprt.llr(wdl[0], wdl[1], wdl[2]))));
        QCOMPARE(int(sprt.decide(wdl[0], wdl[1], wdl[2])), decision);
    }

    void playerTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("parsed"); // kind name level seconds command port threads, or the error's start
        QTest::newRow("cpu") << "cpu:3:1" << "0 cpu:3:1 3 1  0 0";
        QTest::newRow("named cpu on one thread") << "cpu:4:5,name=L4,threads=1" << "0 L4 4 5  0 1";
        QTest::newRow("command") << "cmd:./bot --port {port} -x a,b,tc=3,name=Bot" << "1 Bot 1 3 ./bot --port 7 -x a,b 0 0";
        QTest::newRow("remote") << "remote:9000" << "2 remote:9000 1 4  9000 0";
        QTest::newRow("program threads") << "cmd:./bot,threads=2" << "player option \"threads=2\"";
        QTest::newRow("level 0") << "cpu:0:1" << "player \"cpu:0:1\"";
        QTest::newRow("cpu clock") << "cpu:1:1,tc=2" << "player option \"tc=2\"";
        QTest::newRow("no command") << "cmd: " << "player \"cmd: \"";
        QTest::newRow("bad port") << "remote:70000" << "player \"remote:70000\"";
        QTest::newRow("empty name") << "cpu:1:1,name=" << "player option \"name=\"";
    }

    void playerTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, parsed);
        PlayerSpec spec;
        QString error;
        const int defaultSeconds = 4;
        if (!PlayerSpec::parse(text, defaultSeconds, spec, &error)) {
            QVERIFY2(error.startsWith(parsed), qPrintable(error));
            return;
        }
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                     .arg(int(spec.kind))
                     .arg(spec.name)
                     .arg(spec.level)
                     .arg(spec.seconds)
                     .arg(spec.commandLine(7).join(' '))
                     .arg(spec.port)
                     .arg(spec.threads),
                 parsed);
    }

    void schedule_data()
    {
        QTest::addColumn<QVector<int>>("setup"); // games, openings, shard, shards
        QTest::addColumn<QString>("games");      // round:opening:first player's colour
        QTest::newRow("alternating") << QVector<int>{3, 0, 1, 1} << "1:-1:r 2:-1:b 3:-1:r";
        QTest::newRow("openings") << QVector<int>{6, 2, 1, 1} << "1:0:r 2:0:b 3:1:r 4:1:b 5:0:r 6:0:b";
        QTest::newRow("shard 2/2") << QVector<int>{8, 3, 2, 2} << "3:1:r 4:1:b 7:0:r 8:0:b";
    }

    void schedule()
    {
        QFETCH(QVector<int>, setup);
        QFETCH(QString, games);
        QStringList got;
        const MatchSchedule schedule(setup[0], setup[1], setup[2], setup[3]);
        for (const MatchSchedule::Game &game : schedule.games())
            got << QStringLiteral("%1:%2:%3").arg(game.round).arg(game.opening).arg(game.firstIsRed ? "r" : "b");
        QCOMPARE(got.join(' '), games);
    }
};

QTEST_MAIN(TestMatchStats)
#include "tst_matchstats.moc"
