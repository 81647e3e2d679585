// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildProcess.h"

#include <signal.h>
#include <unistd.h>

namespace {
constexpr int reapWaitMs = 5000;
} // namespace

ChildProcess::ChildProcess(QObject *parent)
    : QProcess(parent)
{
    setStandardOutputFile(QProcess::nullDevice());
    setStandardErrorFile(QProcess::nullDevice());
    connect(this, &QProcess::started, this, [this] { group = processId(); });
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
}

ChildProcess::~ChildProcess()
{
    killGroup();
}

void ChildProcess::killGroup()
{
    if (group > 0)
        ::kill(-pid_t(group), SIGKILL);
    group = 0;
    if (state() != NotRunning) {
        kill();
        waitForFinished(reapWaitMs);
    }
}

bool ChildProcess::failed() const
{
    return state() == NotRunning && (exitStatus() == CrashExit || exitCode() != 0);
}

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
// In the child, before the program starts: a group of its own.
void ChildProcess::setupChildProcess()
{
    ::setpgid(0, 0);
}
#endif
