// SPDX-License-Identifier: GPL-3.0-or-later
// A remote player that misbehaves in one way, for the match tests:
//   testbot MODE PORT
// crash  connects, reads its first message, then aborts;
// hang   connects and reads, never answers;
// cheat  answers every message it reads with a move it may not play;
// leave  connects, reads its first message, closes the connection and exits 0;
// silent never connects.
// With ZARVIK_TESTBOT_PIDS set, it first appends its process id to that file, so
// that tests can check that no program outlives its game.

#include "Protocol.h"

#include <QCoreApplication>
#include <QFile>
#include <QTcpSocket>
#include <QThread>

#include <cstdlib>

namespace {

constexpr int waitMs = 60000;
constexpr int cheatPauseMs = 50;

void notePid()
{
    const QByteArray path = qgetenv("ZARVIK_TESTBOT_PIDS");
    QFile file(QString::fromLocal8Bit(path));
    if (!path.isEmpty() && file.open(QIODevice::Append))
        file.write(QByteArray::number(QCoreApplication::applicationPid()) + '\n');
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3)
        return 1;
    notePid();
    const QString mode = arguments[1];
    if (mode == QLatin1String("silent")) {
        QThread::msleep(waitMs);
        return 0;
    }
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(arguments[2].toUInt()));
    if (!socket.waitForConnected(waitMs))
        return 2;
    while (socket.waitForReadyRead(waitMs)) {
        socket.readAll();
        if (mode == QLatin1String("crash"))
            std::abort();
        if (mode == QLatin1String("leave")) {
            socket.close();
            return 0;
        }
        if (mode == QLatin1String("cheat")) {
            QThread::msleep(cheatPauseMs);
            // A1 - A8: no side may ever play it.
            socket.write(Protocol::moveLine(Move(0, 7, 0, 0)));
            socket.waitForBytesWritten(waitMs);
        }
    }
    return 0;
}
