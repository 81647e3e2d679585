// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Extension.h"
#include "MessageSplitter.h"
#include "PeerGame.h"

#include <QBasicTimer>
#include <QObject>
#include <QTcpSocket>

// The remote player's end of a game, without blocking: connects to the hosting
// program, cuts what it sends into messages, keeps the game's copy (PeerGame) and
// says what each message means. Who chooses our moves (a search, a person at a
// window) answers moveAsked() with send(). The first problem ends the connection
// and is reported once by failed(); after it, and after gameOver(), nothing more is
// read or reported.
class HostConnection : public QObject
{
    Q_OBJECT

public:
    enum class Problem {
        cannotConnect, // detail: the socket's error
        lost,          // the host closed or the network failed; detail: the socket's error
        refused,       // the host answered "4" to our move; detail: PeerGame's words
        unreadable,    // bytes or a message that make no sense here; detail says which
        silent,        // nothing came for silenceLimit() while we waited for the host
    };
    Q_ENUM(Problem)

    explicit HostConnection(QObject *parent = nullptr);
    // Closes the connection without a signal.
    ~HostConnection() override;

    // Starts connecting; failed(cannotConnect) follows when that takes longer than
    // timeoutMs. A Zarvik window asks the host for the extension between windows;
    // a host that does not know it refuses the question ("4"), and the game goes on
    // without it.
    void open(const QString &host, quint16 port, int timeoutMs, bool askExtension = false);
    // While we wait for the host (before its first message, after our move) and
    // nothing arrives for this long, the connection fails as silent; 0: wait forever.
    // A host that tells its time limits is given at least the longest of them.
    void setSilenceLimit(int ms) { silenceMs = ms; }
    // Sends our move after moveAsked(), when our copy of the game allows it; false,
    // and nothing sent, otherwise.
    bool send(const Move &move);
    // Ends the connection without a report; what was sent still goes out.
    void close();
    // Once the host has accepted the extension: our person resigns, or leaves the
    // game (stops it, closes the window). False, and nothing sent, without it.
    bool sendResign();
    bool sendBye();
    // The time limits the host keeps, once it has told them.
    const std::optional<Extension::Limits> &limits() const { return toldLimits; }

    // Whether the host waits for our move.
    bool awaitsMove() const { return asked && !done; }
    const PeerGame &game() const { return peer; }
    // Whether the connection ended with a message begun but not complete.
    bool endedMidMessage() const { return splitter.pendingBytes() > 0; }

signals:
    void connected();
    // Each message as it arrives, before its meaning is told; each line we send.
    void received(const QByteArray &bytes);
    void sent(const QByteArray &line);
    // What a message told beyond its request, in PeerGame's words.
    void noted(const QString &text);
    // The first board message: the side the host gave us and the position.
    void sideGiven(Side side, const ZarvikBoard &position);
    // Message 3: the opponent's move, applied to game().position().
    void opponentMoved(const Move &move);
    // A board message after the first: the position now (the opponent passed, or we did).
    void boardAgain(const ZarvikBoard &position);
    // Our move is asked on game().position().
    void moveAsked();
    // Message 5: the game's winning move, ours when won.
    void gameOver(const Move &move, bool won);
    // Extension: the host's time limits, and the end it decided after that many plies.
    void limitsGiven(const Extension::Limits &limits);
    void ended(const GameResult &result, int plies);
    void failed(HostConnection::Problem problem, const QString &detail);

private:
    void onConnected();
    void onReadyRead();
    void onDisconnected();
    void timerEvent(QTimerEvent *event) override;
    void handle(const MessageSplitter::Message &message);
    void tell(PeerGame::Step step, const MessageSplitter::Message &message, bool first);
    void fail(Problem problem, const QString &detail);
    void awaitHost();
    void handleExtension(const QByteArray &line);
    bool sendExtension(const QByteArray &line);

    QTcpSocket socket{this}; // a child, so that tests can find the connection
    MessageSplitter splitter;
    PeerGame peer;
    QBasicTimer connectTimer;
    QBasicTimer silenceTimer;
    int silenceMs = 0;
    bool asked = false;
    bool done = false;
    bool helloUnanswered = false; // our question to the host, until it answers
    bool extensionOn = false;
    std::optional<Extension::Limits> toldLimits;
};
