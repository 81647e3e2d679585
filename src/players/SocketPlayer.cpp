// SPDX-License-Identifier: GPL-3.0-or-later
#include "SocketPlayer.h"

#include "Protocol.h"

#include <QTcpSocket>
#include <QTimerEvent>

namespace {

// What the socket may hold unread, so that a peer streaming without pause cannot
// make it grow; the rest waits in the system until it is read.
constexpr qint64 readBufferBytes = 16 * 1024;

// Answers not yet handed to the system beyond which the peer is not read until it
// reads them: a peer that streams bad lines and never reads its refusals would
// otherwise make them pile up here without bound.
constexpr qint64 unsentAnswerBytes = 16 * 1024;

} // namespace

SocketPlayer::SocketPlayer(Side side, QTcpSocket *socket, const Board &start, QObject *parent)
    : Player(side, parent), socket(socket)
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
    // Lines sent before this player existed are out of turn like any other; it is
    // not asked yet, so this cannot emit.
    readArrivedBytes();
}

SocketPlayer::~SocketPlayer()
{
    // Closing emits disconnected() at once; the game must not take that for
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
        send(Protocol::moveMessage(Protocol::Code::OpponentMove, turn.lastMove));
    else
        sendBoard();
    asked = true;
}

void SocketPlayer::gameWon(const Move &move)
{
    send(Protocol::moveMessage(Protocol::Code::FinalMove, move));
}

void SocketPlayer::gameEnded(const GameResult &result, int plies)
{
    if (extended && result.how != GameResult::Ending::GoalRow)
        send(Extension::end(result, plies));
}

void SocketPlayer::stop()
{
    asked = false;
}

void SocketPlayer::onSocketDataReceived()
{
    readArrivedBytes();
}

void SocketPlayer::onDisconnectedSocket()
{
    // A peer that is gone cannot move any more, and a line it left unfinished is dropped.
    asked = false;
    fragmentTimer.stop();
    framer.clear();
    emit failed(Failure::Disconnection);
}

void SocketPlayer::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != fragmentTimer.timerId()) {
        Player::timerEvent(event);
        return;
    }
    fragmentTimer.stop();
    // Bytes may be waiting unread, held back for unsent answers: they extend the
    // fragment and restart the wait.
    readArrivedBytes();
    if (fragmentTimer.isActive() || !framer.holdsFragment() || socket->bytesAvailable() > 0)
        return;
    handleLine(framer.takeFragment());
}

// Message 1 (red) or 2 (black) with the position as it stands.
void SocketPlayer::sendBoard()
{
    send(Protocol::boardMessage(side(), position));
}

void SocketPlayer::send(const QByteArray &message)
{
    // One write per message, without terminator: the peer tells messages apart by
    // their code digits.
    socket->write(message);
}

// Reads everything that has arrived, one line or part of a line at a time, and
// handles each line as soon as it is complete; stops while too many answers wait
// to be sent.
void SocketPlayer::readArrivedBytes()
{
    bool readSome = false;
    while (socket->bytesToWrite() <= unsentAnswerBytes) {
        QByteArray line;
        const LineFramer::Piece piece = framer.read(*socket, line);
        if (piece == LineFramer::Piece::none)
            break;
        readSome = true;
        if (piece == LineFramer::Piece::line)
            handleLine(line);
        else if (piece == LineFramer::Piece::tooLong)
            refuseLine();
    }
    if (readSome) {
        if (framer.holdsFragment())
            fragmentTimer.start(LineFramer::fragmentWaitMs, this);
        else
            fragmentTimer.stop();
    }
}

// Plays the line as this side's move, or answers "4". A move counts only while
// this side is asked: out of turn the game would take it as the move of the side
// to move, and after its time ran out the game has ended.
void SocketPlayer::handleLine(const QByteArray &line)
{
    if (handleExtension(line))
        return;
    Move received;
    // The line's own bytes end in NUL, so parse never reads past them; a NUL inside
    // the line just ends the text early.
    if (!asked || !received.parse(line.constData(), position.columns, position.rows)
        || !position.isLegal(received, side())) {
        refuseLine();
        return;
    }
    asked = false;
    emit moved(received);
}

// A program that never asked for the extension is answered as before: its "x"
// lines are no moves.
bool SocketPlayer::handleExtension(const QByteArray &line)
{
    using Kind = Extension::Line::Kind;
    if (!Extension::isExtension(line))
        return false;
    const Kind kind = Extension::parse(line).kind;
    if (kind == Kind::Hello && !extended) {
        extended = true;
        send(Extension::hello());
        send(Extension::limits(toldLimits));
    } else if (kind == Kind::Resign && extended) {
        emit concluded(GameResult::win(~side(), GameResult::Ending::Resignation), -1);
    } else if (kind == Kind::Bye && extended) {
        emit concluded(GameResult::cancelled(side(), GameResult::Ending::Abandoned), -1);
    } else {
        return false;
    }
    return true;
}

void SocketPlayer::refuseLine()
{
    send(Protocol::refusal());
    emit lineRefused();
}
