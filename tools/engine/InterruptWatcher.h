// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGINT (Ctrl+C) into a signal delivered by the event loop: the handler only
// writes a byte into a pipe, which a notifier reads. One at a time; the handler is
// put back as it was when the watcher goes.
class InterruptWatcher : public QObject
{
    Q_OBJECT

public:
    explicit InterruptWatcher(QObject *parent = nullptr);
    ~InterruptWatcher() override;

signals:
    void interrupted();

private:
    static void onSignal(int);
    void drain();

    static int pipeEnds[2];
    QSocketNotifier *notifier = nullptr;
    void (*previous)(int) = nullptr;
};
