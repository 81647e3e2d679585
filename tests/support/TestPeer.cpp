// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestPeer.h"

#include "GameController.h"

#include <QDeadlineTimer>
#include <QTest>

namespace {
// Processes events until done() holds or the time is up.
template <typename Done>
bool waitUntil(Done done, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(5);
    }
    return true;
}
} // namespace

bool TestPeer::connectToProgram(const GameController &controller)
{
    // The kernel completes the handshake before the program accepts, so this need
    // not process events (and so cannot miss a connection closed at once).
    socket.connectToHost(QStringLiteral("127.0.0.1"), controller.serverPort());
    return socket.waitForConnected(5000);
}

void TestPeer::collect()
{
    received += socket.readAll();
}

bool TestPeer::waitFor(const QByteArray &text, int timeoutMs)
{
    return waitUntil([&] { collect(); return received.contains(text); }, timeoutMs);
}

bool TestPeer::waitForClosed(int timeoutMs)
{
    return waitUntil([this] { collect(); return socket.state() == QAbstractSocket::UnconnectedState; },
                     timeoutMs);
}

void TestPeer::send(const QByteArray &bytes)
{
    socket.write(bytes);
    socket.flush();
}
