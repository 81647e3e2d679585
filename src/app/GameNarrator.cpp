// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameNarrator.h"

#include "GameController.h"

namespace {
QString winText(Side side)
{
    return side == Side::Red ? GameNarrator::tr("Joueur 1 gagne la partie") : GameNarrator::tr("Joueur 2 gagne la partie");
}

// A seat's failure other than a lost connection is the host's, in a joined game.
QString failureText(Player::Failure how, int silenceMs)
{
    switch (how) {
    case Player::Failure::Disconnection:
        break;
    case Player::Failure::Refusal:
        return GameNarrator::tr("L'hôte a refusé votre coup (arrivé trop tard pour son horloge ?) : la partie est arrêtée.");
    case Player::Failure::Garbage:
        return GameNarrator::tr("L'hôte a envoyé un message incompréhensible : la partie est arrêtée.");
    case Player::Failure::Silence:
        return GameNarrator::tr("L'hôte ne répond plus depuis %1 secondes : la partie est arrêtée.").arg(silenceMs / 1000);
    }
    return GameNarrator::tr("Connection réseau a été perdue, la partie est annulée.");
}
} // namespace

GameNarrator::GameNarrator(GameController *controller, QObject *parent)
    : QObject(parent), game(controller->game()), seating(controller->seating())
{
    connect(game, &Game::turnBegan, this, &GameNarrator::onTurn);
    connect(game, &Game::ended, this, &GameNarrator::onEnded);
    connect(controller, &GameController::startFailed, this, [this](const QString &, const QString &text) {
        emit statusChanged(text);
    });
    connect(seating, &Seating::awaitingConnection, this, [this](Side side) {
        emit statusChanged(side == Side::Red ? tr("Attente de connection du joueur 1 (rouge)...")
                                             : tr("Attente de connection du joueur 2 (noir)..."));
    });
    connect(seating, &Seating::connecting, this, [this](const QString &host, quint16 port) {
        emit statusChanged(tr("Connexion à %1, port %2...").arg(host).arg(port));
    });
    connect(seating, &Seating::hostReached, this,
            [this] { emit statusChanged(tr("Connecté : en attente de la partie de l'hôte...")); });
}

bool GameNarrator::joined() const
{
    return game->options().joined();
}

void GameNarrator::onTurn(Side side, Game::TurnStart how)
{
    if (how == Game::TurnStart::AfterPass)
        emit statusChanged(side == Side::Black ? tr("Le joueur rouge ne peut pas jouer, il passe son tour.")
                                               : tr("Le joueur noir ne peut pas jouer, il passe son tour."));
    else if (how == Game::TurnStart::First && !joined())
        emit statusChanged(side == Side::Red ? tr("En attente du coup rouge...") : tr("En attente du coup noir..."));
    else
        emit statusChanged(waitingText(side));
}

// In a joined game it also tells which side is the person's.
QString GameNarrator::waitingText(Side side) const
{
    const bool red = side == Side::Red;
    if (joined() && game->options().seat(side).kind == PlayerKind::Human)
        return red ? tr("À vous de jouer (rouge)") : tr("À vous de jouer (noir)");
    if (joined())
        return red ? tr("En attente du coup de l'hôte (rouge)") : tr("En attente du coup de l'hôte (noir)");
    return red ? tr("En attente du coup rouge") : tr("En attente du coup noir");
}

QString GameNarrator::endText(const GameResult &result) const
{
    using Ending = GameResult::Ending;
    switch (result.how) {
    case Ending::GoalRow:
        return winText(*result.winner);
    case Ending::NoMoves:
        return tr("Match nulle!");
    case Ending::Resignation:
        return result.loser == Side::Red ? tr("Le joueur rouge abandonne. Le joueur noir est le gagnant.")
                                         : tr("Le joueur noir abandonne. Le joueur rouge est le gagnant.");
    case Ending::TimeOut:
    case Ending::IllegalMove:
        return result.loser == Side::Red ? tr("Le joueur rouge a pris trop de temps.  Le joueur noir est le gagnant.")
                                         : tr("Le joueur noir a pris trop de temps.  Le joueur rouge est le gagnant.");
    case Ending::Abandoned:
        return result.loser == Side::Red ? tr("Le joueur rouge a quitté la partie : elle est annulée.")
                                         : tr("Le joueur noir a quitté la partie : elle est annulée.");
    case Ending::Disconnection:
    case Ending::Crash:
    case Ending::NeverConnected:
        break;
    }
    return failureText(result.failure.value_or(Player::Failure::Disconnection), seating->hostSilenceMs());
}

void GameNarrator::onEnded(const GameResult &result)
{
    const QString text = endText(result);
    emit statusChanged(text);
    emit gameOver(text);
}
