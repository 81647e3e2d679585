// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeerSession.h"

namespace {

constexpr int connectTimeoutMs = 10000;
constexpr int writeTimeoutMs = 10000;

// The bytes as they are, with line breaks and other control bytes escaped, in quotes
// so that a trailing space shows.
QString visible(const QByteArray &bytes)
{
    QString text = QStringLiteral("\"");
    for (const char c : bytes) {
        if (c == '\n')
            text += QStringLiteral("\\n");
        else if (c == '\r')
            text += QStringLiteral("\\r");
        else if (c == '"' || c == '\\')
            text += QStringLiteral("\\%1").arg(QLatin1Char(c));
        else if (uchar(c) < 0x20 || uchar(c) >= 0x7f)
            text += QStringLiteral("\\x%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
        else
            text += QLatin1Char(c);
    }
    return text + QLatin1Char('"');
}

QString sideName(Side side)
{
    return side == Side::Red ? QStringLiteral("red") : QStringLiteral("black");
}

} // namespace

PeerSession::PeerSession(const PeerOptions &options, const Chooser &choose, QTextStream &out, QTextStream &err)
    : options(options), choose(choose), out(out), err(err)
{
}

int PeerSession::run()
{
    if (!connectToProgram())
        return stop(cannotConnect,
                    QStringLiteral("cannot connect to %1 port %2: %3. Start Zarvik, set a side to \"Réseau\" "
                                   "and press the start button first.")
                        .arg(options.host)
                        .arg(options.port)
                        .arg(socket.errorString()));
    note(QStringLiteral("connected to %1 port %2").arg(options.host).arg(options.port));
    return readUntilOver();
}

bool PeerSession::connectToProgram()
{
    socket.connectToHost(options.host, options.port);
    return socket.waitForConnected(connectTimeoutMs);
}

int PeerSession::readUntilOver()
{
    for (;;) {
        const int exitCode = handleArrived();
        if (exitCode != keepReading)
            return exitCode;
        // False when the connection has ended; bytes that came with the end are
        // still handled before the loss is reported.
        if (!socket.waitForReadyRead(-1) && socket.bytesAvailable() == 0)
            return lost();
        splitter.append(socket.readAll());
    }
}

// Handles every complete message that has arrived, in order.
int PeerSession::handleArrived()
{
    MessageSplitter::Message message;
    while (splitter.next(message)) {
        trace("<-", message.bytes);
        const int exitCode = handle(message);
        if (exitCode != keepReading)
            return exitCode;
    }
    return splitter.broken() ? stop(protocolError, splitter.error()) : keepReading;
}

int PeerSession::handle(const MessageSplitter::Message &message)
{
    const PeerGame::Step step = game.take(message);
    if (!game.note().isEmpty())
        note(game.note());
    switch (step) {
    case PeerGame::Step::wait:
        return keepReading;
    case PeerGame::Step::asked:
        return play();
    case PeerGame::Step::over:
        return finish(message);
    case PeerGame::Step::refused:
        return stop(moveRefused, game.error());
    case PeerGame::Step::fault:
        break;
    }
    return stop(protocolError, game.error());
}

// One line on the standard output tells how the game ended.
int PeerSession::finish(const MessageSplitter::Message &message)
{
    const QString outcome = !game.knowsSide() ? QStringLiteral("over before we were given a side")
                            : game.won()      ? QStringLiteral("won as ") + sideName(game.side())
                                              : QStringLiteral("lost as ") + sideName(game.side());
    out << outcome << ", last move " << QString::fromLatin1(message.text) << Qt::endl;
    note(QStringLiteral("game over"));
    socket.disconnectFromHost();
    return gameOver;
}

int PeerSession::play()
{
    const Move move = choose(game.position(), game.side());
    if (!game.answer(move))
        return stop(protocolError, QStringLiteral("chose %1, which is not a legal move here")
                                       .arg(QString::fromLatin1(Protocol::moveText(move))));
    return send(move);
}

int PeerSession::send(const Move &move)
{
    const QByteArray line = Protocol::moveLine(move);
    trace("->", line);
    socket.write(line);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(writeTimeoutMs))
            return lost();
    return keepReading;
}

int PeerSession::lost()
{
    QString why = QStringLiteral("the connection to the program was lost before the end of the game (%1)")
                      .arg(socket.errorString());
    if (splitter.pendingBytes() > 0)
        why += QStringLiteral(", in the middle of a message");
    return stop(connectionLost, why);
}

int PeerSession::stop(int exitCode, const QString &why)
{
    err << "zarvik-engine connect: " << why << Qt::endl;
    return exitCode;
}

void PeerSession::trace(const char *direction, const QByteArray &bytes)
{
    if (options.verbose)
        err << direction << ' ' << visible(bytes) << Qt::endl;
}

void PeerSession::note(const QString &text)
{
    if (options.verbose)
        err << "-- " << text << Qt::endl;
}
