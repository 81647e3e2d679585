// SPDX-License-Identifier: GPL-3.0-or-later
#include "SocketPlayer.h"

#include <QTcpSocket>
#include <QTimer>
#include <QTimerEvent>

#include <limits>
#include <utility>

namespace {

// Longest board message (codes 1 and 2) and move message (codes 3, 4 and 5); the
// 8 x 8 board needs 130 and 9 bytes.
constexpr int boardMessageMax = 1023;
constexpr int moveMessageMax = 127;

// What the socket may hold unread, so that a peer streaming without pause cannot
// make it grow; the rest waits in the system until it is read.
constexpr qint64 readBufferBytes = 16 * 1024;

// Answers not yet handed to the system beyond which the peer is not read until it
// reads them: a peer that streams bad lines and never reads its refusals would
// otherwise make them pile up here without bound.
constexpr qint64 unsentAnswerBytes = 16 * 1024;

// The peer's time per move plus half a second for the transfer. A negative limit
// (a "-5" typed in the options) counts as 0, so the clock still runs.
int clockInterval(int timeLimit)
{
    const qint64 ms = qint64(qMax(timeLimit, 0)) * 1000 + 500;
    return int(qMin<qint64>(ms, std::numeric_limits<int>::max()));
}

} // namespace

SocketPlayer::SocketPlayer(Side side, int timeLimit, QTcpSocket *socket, const Board &start, QObject *parent)
    : Player(side, parent), timeLimit(timeLimit), timer(nullptr), socket(socket)
{
    Q_ASSERT(socket);
    // The connection is this player's: it closes when the player goes.
    socket->setParent(this);
    position.cells = start.cells;
    if (side == Side::Black)
        sendBoard();
    socket->setReadBufferSize(readBufferBytes);
    connect(socket, &QIODevice::readyRead, this, &SocketPlayer::onSocketDataReceived);
    connect(socket, &QAbstractSocket::disconnected, this, &SocketPlayer::onDisconnectedSocket);
    // Reading held back for unsent answers resumes once they go out.
    connect(socket, &QIODevice::bytesWritten, this, &SocketPlayer::onSocketDataReceived);
    timer = new QTimer(this);
    // A coarse timer may fire 5% early, eating most of the half second of grace.
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, &SocketPlayer::onTimeElapsed);
    // Lines sent before this player existed are out of turn like any other; the
    // clock is not running yet, so this cannot emit.
    readArrivedBytes();
}

SocketPlayer::~SocketPlayer()
{
    // Closing emits disconnected() at once; the controller must not take that for
    // a lost connection while it sets up the next game.
    socket->disconnect(this);
    // Hand what was written to the system first, so that closing loses nothing.
    socket->flush();
    socket->close();
}

void SocketPlayer::play(const Turn &turn)
{
    position.cells = turn.position.cells;
    if (turn.sawPrevious && turn.lastMove != Board::passMove)
        send(QStringLiteral("3 ") + turn.lastMove.toText(position.columns, position.rows), moveMessageMax);
    else
        sendBoard();
    startClock();
}

void SocketPlayer::gameWon(const Move &move)
{
    send(QStringLiteral("5 ") + move.toText(position.columns, position.rows), moveMessageMax);
}

void SocketPlayer::stop()
{
    timer->stop();
}

void SocketPlayer::onSocketDataReceived()
{
    readArrivedBytes();
}

void SocketPlayer::onDisconnectedSocket()
{
    // A peer that is gone cannot move any more: no time-out follows, and a line it
    // left unfinished is dropped.
    timer->stop();
    fragmentTimer.stop();
    pendingLine.clear();
    skippingLongLine = false;
    emit failed(Failure::Disconnection);
}

void SocketPlayer::onTimeElapsed()
{
    // Stopped before emitting: the controller's message box runs an event loop in
    // which the timer would fire again.
    timer->stop();
    emit failed(Failure::TimeOut);
}

void SocketPlayer::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != fragmentTimer.timerId()) {
        Player::timerEvent(event);
        return;
    }
    fragmentTimer.stop();
    // Bytes may be waiting unread, for instance while a slot reacting to a move
    // ran an event loop: they extend the fragment and restart the wait. Bytes held
    // back for unsent answers have arrived too: the fragment is not over.
    readArrivedBytes();
    if (fragmentTimer.isActive() || pendingLine.isEmpty() || socket->bytesAvailable() > 0)
        return;
    handleLine(std::exchange(pendingLine, QByteArray()));
}

// Message 1 (red) or 2 (black) with the position as it stands.
void SocketPlayer::sendBoard()
{
    send(QLatin1String(side() == Side::Red ? "1 " : "2 ") + position.toText(), boardMessageMax);
}

void SocketPlayer::send(const QString &text, int maxLength)
{
    // One write per message, without terminator: the peer tells messages apart by
    // their code digits.
    socket->write(text.toLatin1().left(maxLength));
}

void SocketPlayer::startClock()
{
    timer->start(clockInterval(timeLimit));
}

// Reads everything that has arrived, one line or part of a line at a time, and
// handles each line as soon as it is complete; stops while too many answers wait
// to be sent.
void SocketPlayer::readArrivedBytes()
{
    if (reading)
        return;
    reading = true;
    char piece[maxLineBytes + 2];
    bool readSome = false;
    while (socket->bytesToWrite() <= unsentAnswerBytes) {
        // Outside a long line read at most one byte past the limit: enough to tell
        // an over-long line without ever holding more than that.
        const qint64 room = skippingLongLine ? qint64(sizeof piece) - 1
                                             : maxLineBytes + 1 - pendingLine.size();
        const qint64 size = socket->readLine(piece, room + 1);
        if (size <= 0)
            break;
        readSome = true;
        takePiece(piece, int(size));
    }
    reading = false;
    if (readSome) {
        if (pendingLine.isEmpty())
            fragmentTimer.stop();
        else
            fragmentTimer.start(fragmentWaitMs, this);
    }
}

// Adds a piece returned by readLine (a line with its line feed, or the start of
// one) to the line being received.
void SocketPlayer::takePiece(const char *piece, int size)
{
    const bool endsLine = piece[size - 1] == '\n';
    if (skippingLongLine) {
        skippingLongLine = !endsLine;
        return;
    }
    pendingLine.append(piece, size);
    if (pendingLine.size() > maxLineBytes) {
        // Refused once, at its first byte past the limit; the rest is dropped.
        pendingLine.clear();
        skippingLongLine = !endsLine;
        refuseLine();
        return;
    }
    if (endsLine)
        handleLine(std::exchange(pendingLine, QByteArray()));
}

// Plays the line as this side's move, or answers "4". A move counts only while
// this side's clock runs: out of turn the controller would take it as the move of
// the side to move.
void SocketPlayer::handleLine(const QByteArray &line)
{
    Move received;
    // The line's own bytes end in NUL, so parse never reads past them; a NUL inside
    // the line just ends the text early.
    if (!timer->isActive() || !received.parse(line.constData(), position.columns, position.rows)
        || !position.isLegal(received, side())) {
        refuseLine();
        return;
    }
    timer->stop();
    emit moved(received);
}

void SocketPlayer::refuseLine()
{
    send(QStringLiteral("4"), moveMessageMax);
    emit lineRefused();
}
