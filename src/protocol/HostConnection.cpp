// SPDX-License-Identifier: GPL-3.0-or-later
#include "HostConnection.h"

#include <QTimerEvent>

#include <algorithm>

namespace {
// What the socket may hold unread: a host that streams without pause fills the
// system's buffers instead of this program's memory.
constexpr qint64 readBufferBytes = 16 * 1024;

// A host that keeps a limit per move is not silent before its side has spent it:
// the silence allowed grows to the longest limit and this much more.
constexpr int limitMarginMs = 5000;

Move moveOf(const QByteArray &moveText)
{
    Move move;
    move.parse(moveText.constData(), ZarvikBoard::size, ZarvikBoard::size);
    return move;
}
} // namespace

HostConnection::HostConnection(QObject *parent)
    : QObject(parent)
{
    socket.setReadBufferSize(readBufferBytes);
    connect(&socket, &QTcpSocket::connected, this, &HostConnection::onConnected);
    connect(&socket, &QIODevice::readyRead, this, &HostConnection::onReadyRead);
    connect(&socket, &QAbstractSocket::disconnected, this, &HostConnection::onDisconnected);
    // An error while connecting ends the attempt; later ones end with disconnected().
    connect(&socket, &QAbstractSocket::errorOccurred, this, [this] {
        if (connectTimer.isActive())
            fail(Problem::cannotConnect, socket.errorString());
    });
}

HostConnection::~HostConnection()
{
    // The socket closing as it goes must not reach members already gone.
    socket.disconnect(this);
}

void HostConnection::open(const QString &host, quint16 port, int timeoutMs, bool askExtension)
{
    helloUnanswered = askExtension;
    connectTimer.start(timeoutMs, this);
    socket.connectToHost(host, port);
}

bool HostConnection::send(const Move &move)
{
    if (done || !asked || !peer.answer(move))
        return false;
    asked = false;
    const QByteArray line = Protocol::moveLine(move);
    emit sent(line);
    socket.write(line);
    awaitHost();
    return true;
}

void HostConnection::close()
{
    done = true;
    connectTimer.stop();
    silenceTimer.stop();
    // What was just written must leave before the socket goes with this connection.
    socket.flush();
    socket.disconnectFromHost();
}

bool HostConnection::sendResign()
{
    return sendExtension(Extension::resign());
}

bool HostConnection::sendBye()
{
    return sendExtension(Extension::bye());
}

bool HostConnection::sendExtension(const QByteArray &line)
{
    if (done || !extensionOn)
        return false;
    emit sent(line);
    socket.write(line);
    return true;
}

void HostConnection::onConnected()
{
    connectTimer.stop();
    awaitHost();
    emit connected();
    if (helloUnanswered) {
        emit sent(Extension::hello());
        socket.write(Extension::hello());
    }
}

// Every complete message, in order, until one ends the game or the connection.
void HostConnection::onReadyRead()
{
    if (done)
        return;
    if (silenceTimer.isActive())
        awaitHost();
    splitter.append(socket.readAll());
    MessageSplitter::Message message;
    while (!done && splitter.next(message))
        handle(message);
    if (!done && splitter.broken())
        fail(Problem::unreadable, splitter.error());
}

// Bytes that came with the end are handled before the loss is reported.
void HostConnection::onDisconnected()
{
    onReadyRead();
    fail(Problem::lost, socket.errorString());
}

void HostConnection::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == connectTimer.timerId())
        fail(Problem::cannotConnect, QStringLiteral("Socket operation timed out"));
    else if (event->timerId() == silenceTimer.timerId())
        fail(Problem::silent, QStringLiteral("nothing from the host for %1 ms").arg(silenceMs));
    else
        QObject::timerEvent(event);
}

void HostConnection::handle(const MessageSplitter::Message &message)
{
    emit received(message.bytes);
    if (message.code == Protocol::Code::Extension) {
        handleExtension(message.bytes);
        return;
    }
    // A host without the extension refuses our question as a line out of turn.
    if (helloUnanswered && message.code == Protocol::Code::Refusal) {
        helloUnanswered = false;
        emit noted(QStringLiteral("the host does not know the extension between Zarvik windows"));
        return;
    }
    const bool first = !peer.knowsSide();
    const PeerGame::Step step = peer.take(message);
    if (!peer.note().isEmpty())
        emit noted(peer.note());
    if (!done)
        tell(step, message, first);
}

void HostConnection::tell(PeerGame::Step step, const MessageSplitter::Message &message, bool first)
{
    using Code = Protocol::Code;
    switch (step) {
    case PeerGame::Step::wait:
    case PeerGame::Step::asked:
        if (message.code == Code::OpponentMove)
            emit opponentMoved(moveOf(message.text));
        else if (first)
            emit sideGiven(peer.side(), peer.position());
        else
            emit boardAgain(peer.position());
        if (step == PeerGame::Step::asked && !done) {
            asked = true;
            silenceTimer.stop();
            emit moveAsked();
        }
        return;
    case PeerGame::Step::over:
        close();
        emit gameOver(moveOf(message.text), peer.won());
        return;
    case PeerGame::Step::refused:
        fail(Problem::refused, peer.error());
        return;
    case PeerGame::Step::fault:
        break;
    }
    fail(Problem::unreadable, peer.error());
}

void HostConnection::fail(Problem problem, const QString &detail)
{
    if (done)
        return;
    close();
    if (problem == Problem::cannotConnect)
        socket.abort();
    emit failed(problem, detail);
}

// Lines that make no sense here are a fault of the host, like any message.
void HostConnection::handleExtension(const QByteArray &line)
{
    using Kind = Extension::Line::Kind;
    const Extension::Line told = Extension::parse(line);
    if (told.kind == Kind::Hello && helloUnanswered) {
        helloUnanswered = false;
        extensionOn = true;
    } else if (told.kind == Kind::Limits && extensionOn) {
        toldLimits = told.limits;
        const int longest = std::max(told.limits.red.value_or(0), told.limits.black.value_or(0));
        if (silenceMs > 0)
            silenceMs = std::max(silenceMs, longest * 1000 + limitMarginMs);
        emit limitsGiven(told.limits);
    } else if (told.kind == Kind::End && extensionOn) {
        close();
        emit ended(told.result, told.plies);
    } else {
        fail(Problem::unreadable, QStringLiteral("an extension line out of place: %1").arg(QString::fromLatin1(line.trimmed())));
    }
}

void HostConnection::awaitHost()
{
    if (silenceMs > 0)
        silenceTimer.start(silenceMs, this);
}
