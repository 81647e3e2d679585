// SPDX-License-Identifier: GPL-3.0-or-later
#include "InterruptWatcher.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

int InterruptWatcher::pipeEnds[2] = {-1, -1};

InterruptWatcher::InterruptWatcher(QObject *parent)
    : QObject(parent)
{
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &InterruptWatcher::drain);
    previous = std::signal(SIGINT, &InterruptWatcher::onSignal);
}

InterruptWatcher::~InterruptWatcher()
{
    if (!notifier)
        return;
    std::signal(SIGINT, previous);
    delete notifier;
    for (int &end : pipeEnds) {
        ::close(end);
        end = -1;
    }
}

void InterruptWatcher::onSignal(int)
{
    const char byte = 1;
    // Nothing to do if the pipe is full: an interruption is already pending.
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
}

void InterruptWatcher::drain()
{
    char bytes[16];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
    emit interrupted();
}
