// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeerSession.h"

namespace {

constexpr int connectTimeoutMs = 10000;

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
    QObject::connect(&connection, &HostConnection::connected, &loop, [this] {
        note(QStringLiteral("connected to %1 port %2").arg(options.host).arg(options.port));
    });
    QObject::connect(&connection, &HostConnection::received, &loop, [this](const QByteArray &bytes) { trace("<-", bytes); });
    QObject::connect(&connection, &HostConnection::sent, &loop, [this](const QByteArray &line) { trace("->", line); });
    QObject::connect(&connection, &HostConnection::noted, &loop, [this](const QString &text) { note(text); });
    QObject::connect(&connection, &HostConnection::moveAsked, &loop, [this] { play(); });
    QObject::connect(&connection, &HostConnection::gameOver, &loop, [this](const Move &move, bool won) { finish(move, won); });
    QObject::connect(&connection, &HostConnection::failed, &loop,
            [this](HostConnection::Problem problem, const QString &detail) { onFailed(problem, detail); });
    connection.open(options.host, options.port, connectTimeoutMs);
    if (exitCode == keepReading)
        loop.exec();
    return exitCode;
}

// One line on the standard output tells how the game ended.
void PeerSession::finish(const Move &winning, bool won)
{
    const PeerGame &game = connection.game();
    const QString outcome = !game.knowsSide() ? QStringLiteral("over before we were given a side")
                            : won             ? QStringLiteral("won as ") + sideName(game.side())
                                              : QStringLiteral("lost as ") + sideName(game.side());
    out << outcome << ", last move " << QString::fromLatin1(Protocol::moveText(winning)) << Qt::endl;
    note(QStringLiteral("game over"));
    stop(gameOver, QString());
}

void PeerSession::play()
{
    const Move move = choose(connection.game().position(), connection.game().side());
    if (!connection.send(move))
        stop(protocolError, QStringLiteral("chose %1, which is not a legal move here")
                                .arg(QString::fromLatin1(Protocol::moveText(move))));
}

void PeerSession::onFailed(HostConnection::Problem problem, const QString &detail)
{
    switch (problem) {
    case HostConnection::Problem::cannotConnect:
        stop(cannotConnect, QStringLiteral("cannot connect to %1 port %2: %3. Start Zarvik, set a side to \"Réseau\" "
                                           "and press the start button first.")
                                .arg(options.host)
                                .arg(options.port)
                                .arg(detail));
        return;
    case HostConnection::Problem::lost:
    case HostConnection::Problem::silent:
        stop(connectionLost,
             QStringLiteral("the connection to the program was lost before the end of the game (%1)").arg(detail)
                 + (connection.endedMidMessage() ? QStringLiteral(", in the middle of a message") : QString()));
        return;
    case HostConnection::Problem::refused:
        stop(moveRefused, detail);
        return;
    case HostConnection::Problem::unreadable:
        break;
    }
    stop(protocolError, detail);
}

// Ends the loop with the exit code, reading nothing more; why, when there is one,
// goes to the errors.
void PeerSession::stop(int code, const QString &why)
{
    if (exitCode != keepReading)
        return;
    if (!why.isEmpty())
        err << "zarvik-engine connect: " << why << Qt::endl;
    exitCode = code;
    connection.close();
    loop.exit(code);
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
