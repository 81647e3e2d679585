// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Side.h"

#include <QObject>
#include <QProcess>
#include <QStringList>
#include <vector>

class MainWindow;
class ScriptedDialogs;

// Plays one game in the real window with both sides "Réseau" and two
// zarvik-engine connect --verbose processes as the remote programs, and records in
// order what the window shows (status bar, move list, boxes) and what each program
// traces (messages received and sent).
class GameRecorder : public QObject
{
    Q_OBJECT

public:
    struct Entry
    {
        QString who;  // "Zarvik", "red's program", "black's program"
        QString what; // the event or the traced line
    };

    // engineArguments[indexOf(side)]: the arguments of red's and black's programs.
    GameRecorder(MainWindow *window, ScriptedDialogs *dialogs, const QString &enginePath,
                 const QStringList engineArguments[2]);

    // Loads the board file, starts the game on it and returns once both programs have
    // ended; false when they are not done within timeoutMs.
    bool record(const QString &boardPath, int timeoutMs);
    const std::vector<Entry> &entries() const { return log; }
    int exitCode(Side side) const { return engines[indexOf(side)].exitCode(); }

private:
    bool done() const;
    void click(const char *buttonName);
    void statusChanged(const QString &text);
    void startEngine(Side side);
    void readEngine(Side side);
    void add(const QString &who, const QString &what);
    void addWindowEvent(const QString &what);
    static QString programName(Side side);

    MainWindow *window;
    ScriptedDialogs *dialogs;
    QString enginePath;
    QStringList arguments[2];
    QProcess engines[2];
    QByteArray unfinishedLine[2];
    int started = 0;
    int running = 0;
    bool endedEarly = false;
    std::vector<Entry> log;
};
