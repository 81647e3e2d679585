// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QTcpSocket>

class GameController;

// A remote program played by a test: connects to the program's port, keeps every
// byte it receives, and sends lines.
class TestPeer
{
public:
    // Connects to 127.0.0.1 on the port the controller listens on; false if it could not.
    bool connectToProgram(const GameController &controller);
    // Waits (processing events) until the bytes received contain text; false on time-out.
    bool waitFor(const QByteArray &text, int timeoutMs = 5000);
    // Waits until the program has closed the connection.
    bool waitForClosed(int timeoutMs = 5000);
    void send(const QByteArray &bytes);

    QTcpSocket socket;
    QByteArray received;

private:
    void collect();
};
