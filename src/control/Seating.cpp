// SPDX-License-Identifier: GPL-3.0-or-later
#include "Seating.h"

#include "CPUPlayer.h"
#include "HostPlayer.h"
#include "HumanPlayer.h"
#include "SocketPlayer.h"

#include <QNetworkInterface>
#include <QTcpSocket>

namespace {
// Far apart seeds for the two sides' searches of one game.
constexpr qint64 seedStride = 1000003;
} // namespace

Seating::Seating(Game &game, const Settings &settings, QObject *parent)
    : QObject(parent), game(game), settings(settings)
{
    connect(&server, &QTcpServer::newConnection, this, &Seating::onConnection);
    connect(&game, &Game::ended, this, &Seating::onEnded);
}

void Seating::setListening(const QHostAddress &address, quint16 port)
{
    settings.address = address;
    settings.port = port;
}

void Seating::seat(const GameOptions &options)
{
    chosen = options;
    if (game.state() != Game::State::Seating)
        return;
    const bool remote = options.red.kind == PlayerKind::Socket || options.black.kind == PlayerKind::Socket;
    if (!remote || listen())
        seatNext();
}

bool Seating::listen()
{
    if (server.listen(settings.address, settings.port))
        return true;
    fail(tr("Partie en réseau"), tr("Impossible d'attendre les joueurs réseau sur le port %1 : %2")
                                     .arg(settings.port)
                                     .arg(server.errorString()));
    return false;
}

void Seating::fail(const QString &title, const QString &text)
{
    game.stop();
    stop();
    emit failed(title, text);
}

// Red first: a side played by a remote program waits for its connection, and the
// game begins once both are seated.
void Seating::seatNext()
{
    for (Side side : bothSides) {
        if (game.isSeated(side))
            continue;
        if (chosen.seat(side).kind == PlayerKind::Socket) {
            emit awaitingConnection(side);
            emit awaitingFriend(whereToConnect(side));
            return;
        }
        game.seat(side, createSeat(side));
    }
    emit awaitingFriend(QString());
}

Player *Seating::createSeat(Side side) const
{
    const SeatOptions &how = chosen.seat(side);
    if (how.kind == PlayerKind::Human)
        return new HumanPlayer(side);
    CPUPlayer::Options cpu;
    cpu.timeLimit = how.timeLimit();
    cpu.level = how.level;
    cpu.pauseMs = settings.computerPauseMs;
    // Each side draws from its own sequence, so that the two never search with one seed.
    cpu.seed = chosen.seed < 0 ? -1 : chosen.seed + indexOf(side) * seedStride;
    cpu.threads = how.threads;
    return new CPUPlayer(side, cpu);
}

void Seating::onConnection()
{
    while (QTcpSocket *socket = server.nextPendingConnection()) {
        const bool redWaits = !game.isSeated(Side::Red) && chosen.red.kind == PlayerKind::Socket;
        const bool blackWaits = game.isSeated(Side::Red) && !game.isSeated(Side::Black);
        if (game.state() != Game::State::Seating || (!redWaits && !blackWaits)) {
            socket->close();
            socket->deleteLater();
            continue;
        }
        const Side side = redWaits ? Side::Red : Side::Black;
        // Black's program is sent the position as it is seated.
        auto *player = new SocketPlayer(side, socket, game.model()->position(), this);
        player->setLimits(limitsOf(chosen));
        emit playerConnected(side);
        game.seat(side, player, side == Side::Black);
        seatNext();
    }
}

// The host sends the winning move and closes; after anything else nothing more comes.
void Seating::onEnded(const GameResult &result)
{
    server.close();
    emit awaitingFriend(QString());
    if (joining && result.how != GameResult::Ending::GoalRow)
        joining->close();
}

void Seating::stop()
{
    server.close();
    emit awaitingFriend(QString());
    if (!joining)
        return;
    joining->close();
    joining->disconnect(this);
    joining->deleteLater();
    joining = nullptr;
}

void Seating::join(const QString &host, quint16 port)
{
    game.stop();
    stop();
    joining = new HostConnection(this);
    joining->setSilenceLimit(settings.hostSilenceMs);
    connect(joining, &HostConnection::sideGiven, this, &Seating::onSideGiven);
    connect(joining, &HostConnection::failed, this, &Seating::onJoinFailed);
    connect(joining, &HostConnection::connected, this, &Seating::hostReached);
    emit connecting(host, port);
    joining->open(host, port, settings.joinTimeoutMs, true);
}

// The host's first board: the game begins there, red to move (black's first board
// comes before red's first move, or instead of it when red passes).
void Seating::onSideGiven(Side side, const ZarvikBoard &position)
{
    GameOptions options;
    (side == Side::Red ? options.black : options.red).kind = PlayerKind::Host;
    // The host keeps the time: its limits, when it has told them, are shown here.
    const Extension::Limits limits = joining->limits().value_or(Extension::Limits());
    options.red.timer = limits.red.has_value();
    options.red.seconds = limits.red.value_or(0);
    options.black.timer = limits.black.has_value();
    options.black.seconds = limits.black.value_or(0);
    emit sideJoined(side);
    game.begin(position, Side::Red, options);
    game.seat(side, new HumanPlayer(side));
    game.seat(~side, new HostPlayer(~side, joining));
}

// Only what happens before the game begins: its seat reports the rest.
void Seating::onJoinFailed(HostConnection::Problem problem, const QString &detail)
{
    if (game.state() != Game::State::Idle)
        return;
    fail(tr("Rejoindre une partie"),
         problem == HostConnection::Problem::cannotConnect
             ? tr("Impossible de joindre l'hôte : %1").arg(detail)
         : problem == HostConnection::Problem::silent
             ? tr("L'hôte n'a pas commencé de partie.")
             : tr("L'hôte n'a pas donné de partie : a-t-il un camp « Réseau » qui attend ?"));
}

// The machine's addresses that a friend can reach, the port, and the time the
// friend will have for each move.
QString Seating::whereToConnect(Side side) const
{
    QStringList addresses;
    for (const QHostAddress &address : QNetworkInterface::allAddresses())
        if (!address.isLoopback() && !address.isLinkLocal() && settings.address != QHostAddress::LocalHost)
            addresses << address.toString();
    const SeatOptions &how = chosen.seat(side);
    const QString limit = !how.timer ? tr("sans limite de temps") : tr("%1 s par coup").arg(qMax(0, how.seconds));
    if (addresses.isEmpty())
        return tr("Cet ordinateur seulement : 127.0.0.1, port %1 (%2)").arg(serverPort()).arg(limit);
    return tr("Pour un ami : %1, port %2 (%3)").arg(addresses.join(tr(" ou ")), QString::number(serverPort()), limit);
}

Extension::Limits Seating::limitsOf(const GameOptions &options)
{
    const auto seconds = [](const SeatOptions &how) { return how.timer ? std::optional<int>(qMax(0, how.seconds)) : std::nullopt; };
    return {seconds(options.red), seconds(options.black)};
}
