// SPDX-License-Identifier: GPL-3.0-or-later
// A game cut short: the real program, playing the computer against the computer,
// is killed after three plies; the window started again offers to play on, and a
// save cut short is set aside with a word of why.
#include "GameRecordReader.h"
#include "IsolatedSettings.h"
#include "WindowDriver.h"

#include <QAbstractButton>
#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {
constexpr int patience = 60000;

// The game the file holds, or an empty record.
GameRecord savedGame(const QString &path)
{
    QFile file(path);
    GameRecord record;
    if (file.open(QIODevice::ReadOnly))
        GameRecordReader(file).next(record);
    return record;
}
} // namespace

class TestInterruptedGame : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QString saved; // where the program keeps its game in progress

private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        // The window here looks where the program wrote: the same name, the same folders.
        QCoreApplication::setApplicationName(QStringLiteral("zarvik"));
        IsolatedSettings::begin();
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
        saved = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/partie-en-cours.zgn");
    }

    void aKilledGameIsResumed()
    {
        // Red and black played by the computer at level 3, a second a move.
        QSettings options(home.filePath(QStringLiteral("config/Zarvik/Zarvik.conf")), QSettings::IniFormat);
        for (const char *side : {"side1", "side2"}) {
            options.setValue(QStringLiteral("%1/kind").arg(side), 1);
            options.setValue(QStringLiteral("%1/level").arg(side), 2);
            options.setValue(QStringLiteral("%1/timer").arg(side), true);
            options.setValue(QStringLiteral("%1/seconds").arg(side), QStringLiteral("1"));
        }
        options.sync();
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(ZARVIK_PROGRAM), QStringList());
        QVERIFY(program.waitForStarted(patience));
        QVERIFY(QTest::qWaitFor([this] { return savedGame(saved).moves.size() >= 3; }, patience));
        ::kill(pid_t(program.processId()), SIGKILL);
        QVERIFY(program.waitForFinished(patience));
        const int plies = int(savedGame(saved).moves.size());
        QVERIFY(plies >= 3);

        WindowDriver driver(false);
        QTRY_COMPARE(driver.dialogs.confirmations, QStringList{"Partie interrompue|Reprendre la partie interrompue ?"});
        const Game *game = driver.controller()->game();
        QCOMPARE(int(game->model()->plies().size()), plies);
        QCOMPARE(game->options().red.kind, PlayerKind::Cpu);
        QCOMPARE(game->options().black.level, 3);
        // The panel shows who plays, so that the next game is played by the same sides.
        QVERIFY(driver.child<QAbstractButton>("player2CpuRB")->isChecked());
        QVERIFY(driver.child<QAbstractButton>("level3_player2_RB")->isChecked());
        QVERIFY(QTest::qWaitFor([game, plies] { return int(game->model()->plies().size()) > plies; }, patience));
        QVERIFY(savedGame(saved).moves.size() > size_t(plies)); // kept again as it goes
    }

    // A save cut in the middle of a move is no game: it is set aside and told, and a
    // fresh game starts.
    void aTruncatedSaveIsSetAside()
    {
        GameRecord record = GameRecord::fromInitialPosition();
        record.moves = {Move(1, 6, 1, 5), Move(2, 1, 2, 2)};
        record.setTag(QStringLiteral("RedOptions"), QStringLiteral("human 1 -"));
        record.setTag(QStringLiteral("BlackOptions"), QStringLiteral("cpu 1 5"));
        const QByteArray whole = record.toText().toUtf8();
        QVERIFY(QDir().mkpath(QFileInfo(saved).absolutePath()));
        QFile file(saved);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(whole.left(whole.indexOf("2. C7"))) > 0);
        file.close();
        WindowDriver driver(false);
        QTRY_COMPARE(driver.dialogs.warnings.size(), 1);
        QVERIFY2(driver.dialogs.warnings[0].startsWith(QStringLiteral("Partie interrompue|La partie interrompue n'a pas pu être relue")),
                 qPrintable(driver.dialogs.warnings[0]));
        QVERIFY(driver.dialogs.confirmations.isEmpty());
        QVERIFY(driver.controller()->model()->plies().empty());
        QVERIFY(!QFile::exists(saved));
        QCOMPARE(QDir(QFileInfo(saved).absolutePath()).entryList({QStringLiteral("sauvegarde-illisible-*")}).size(), 1);
    }
};

QTEST_MAIN(TestInterruptedGame)
#include "tst_interruptedgame.moc"
