// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>

// A program started for one game, in a process group of its own, so that the
// group (the program and anything it started) can be killed when the game ends.
class ChildProcess : public QProcess
{
    Q_OBJECT

public:
    explicit ChildProcess(QObject *parent = nullptr);
    // Kills the whole group and waits for the program; kills it again if needed.
    ~ChildProcess() override;

    // Kills the group at once (SIGKILL) and reaps the program.
    void killGroup();
    // The program has ended abnormally: killed by a signal or a non-zero exit code.
    bool failed() const;

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
protected:
    void setupChildProcess() override;
#endif

private:
    // The group's id, the program's pid, kept after the program itself has ended:
    // what it started may live on in the group.
    qint64 group = 0;
};
