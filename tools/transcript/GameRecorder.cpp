// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameRecorder.h"

#include "MainWindow.h"
#include "ScriptedDialogs.h"
#include "StatusLabel.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QListView>
#include <QTimer>

GameRecorder::GameRecorder(MainWindow *window, ScriptedDialogs *dialogs, const QString &enginePath,
                           const QStringList engineArguments[2])
    : window(window), dialogs(dialogs), enginePath(enginePath), arguments{engineArguments[0], engineArguments[1]}
{
    connect(window->findChild<StatusLabel *>(), &StatusLabel::statusShown, this, &GameRecorder::statusChanged);
    const QAbstractItemModel *moves = window->findChild<QListView *>(QStringLiteral("moveListWidget"))->model();
    connect(moves, &QAbstractItemModel::rowsInserted, this, [this, moves](const QModelIndex &, int row) {
        addWindowEvent(QStringLiteral("move list: \"%1\"").arg(moves->index(row, 0).data().toString()));
    });
    dialogs->whileBoxOpen = [this] {
        const QString box = this->dialogs->informations.last(); // "title|text"
        addWindowEvent(QStringLiteral("box \"%1\": \"%2\"")
                           .arg(box.section(QLatin1Char('|'), 0, 0), box.section(QLatin1Char('|'), 1)));
        // The game ended before both programs joined (the port is taken, say).
        endedEarly = started < 2;
    };
    for (Side side : bothSides) {
        engines[indexOf(side)].setReadChannel(QProcess::StandardError); // what waitForReadyRead polls
        connect(&engines[indexOf(side)], &QProcess::readyReadStandardError, this, [this, side] { readEngine(side); });
        connect(&engines[indexOf(side)], QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
                [this, side](int exitCode) {
                    readEngine(side);
                    const QString said = QString::fromUtf8(engines[indexOf(side)].readAllStandardOutput()).trimmed();
                    add(programName(side), QStringLiteral("exit code %1, printed \"%2\"").arg(exitCode).arg(said));
                    --running;
                });
    }
}

bool GameRecorder::record(const QString &boardPath, int timeoutMs)
{
    dialogs->nextPath = boardPath;
    click("BrowseButton"); // which ticks "Personalisé"
    click("player1SocketRB");
    click("player2SocketRB");
    click("startGameButton");
    QEventLoop loop;
    QTimer check;
    connect(&check, &QTimer::timeout, &loop, [&] {
        if (done() || endedEarly)
            loop.quit();
    });
    check.start(50);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

bool GameRecorder::done() const
{
    return started == 2 && running == 0;
}

void GameRecorder::click(const char *buttonName)
{
    window->findChild<QAbstractButton *>(QLatin1String(buttonName))->click();
}

// Each program is started once the program waits for it, so that the first to
// connect is red's.
void GameRecorder::statusChanged(const QString &text)
{
    addWindowEvent(QStringLiteral("status bar: \"%1\"").arg(text));
    if (text.startsWith(QLatin1String("Attente de connection du joueur 1")))
        startEngine(Side::Red);
    else if (text.startsWith(QLatin1String("Attente de connection du joueur 2")))
        startEngine(Side::Black);
}

void GameRecorder::startEngine(Side side)
{
    if (engines[indexOf(side)].state() != QProcess::NotRunning)
        return;
    ++started;
    ++running;
    engines[indexOf(side)].start(enginePath, arguments[indexOf(side)]);
}

// The trace comes a line at a time, possibly cut by the pipe.
void GameRecorder::readEngine(Side side)
{
    unfinishedLine[indexOf(side)] += engines[indexOf(side)].readAllStandardError();
    int end;
    while ((end = unfinishedLine[indexOf(side)].indexOf('\n')) >= 0) {
        add(programName(side), QString::fromUtf8(unfinishedLine[indexOf(side)].left(end)));
        unfinishedLine[indexOf(side)].remove(0, end + 1);
    }
}

void GameRecorder::add(const QString &who, const QString &what)
{
    log.push_back({who, what});
}

// Before a row of the window: what the programs have traced by now comes first.
// The line of a move sent is traced before the move is written, so it precedes
// the window's reaction to the move.
void GameRecorder::addWindowEvent(const QString &what)
{
    for (QProcess &engine : engines)
        if (engine.state() == QProcess::Running)
            engine.waitForReadyRead(0);
    add(QStringLiteral("Zarvik"), what);
}

QString GameRecorder::programName(Side side)
{
    return side == Side::Red ? QStringLiteral("red's program") : QStringLiteral("black's program");
}
