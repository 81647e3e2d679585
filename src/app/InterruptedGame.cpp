// SPDX-License-Identifier: GPL-3.0-or-later
#include "InterruptedGame.h"

#include "Dialogs.h"
#include "GameController.h"

#include <QFile>

#include <utility>

InterruptedGame::InterruptedGame(GameController *controller, const QString &path, QObject *parent)
    : QObject(parent), controller(controller), journal(controller->game(), path)
{
    found = journal.read(record, options, reason);
    if (found != GameJournal::Found::Nothing)
        aside = journal.setAside(found == GameJournal::Found::Damaged ? QStringLiteral("sauvegarde-illisible")
                                                                      : QStringLiteral("partie-interrompue"));
    connect(&journal, &GameJournal::saveFailed, this, [this](const QString &why) {
        emit statusChanged(tr("La partie en cours ne peut pas être gardée sur le disque : %1").arg(why));
    });
}

void InterruptedGame::offer(Dialogs &dialogs, QWidget *window)
{
    const GameJournal::Found what = std::exchange(found, GameJournal::Found::Nothing);
    if (what == GameJournal::Found::Damaged)
        dialogs.warning(window, tr("Partie interrompue"),
                        tr("La partie interrompue n'a pas pu être relue (%1). Le fichier est mis de côté : %2")
                            .arg(reason, aside));
    else if (what == GameJournal::Found::Game && options.hasRemoteSide())
        replay(dialogs, window);
    else if (what == GameJournal::Found::Game)
        resume(dialogs, window);
}

void InterruptedGame::resume(Dialogs &dialogs, QWidget *window)
{
    if (!dialogs.confirm(window, tr("Partie interrompue"), tr("Reprendre la partie interrompue ?"))) {
        emit statusChanged(tr("La partie interrompue est gardée dans %1.").arg(aside));
        return;
    }
    controller->resumeGame(record, options);
    QFile::remove(aside); // the game goes on, kept again as it goes
    emit resumed(options);
}

// Its opponent on the network is gone: the game can only be replayed.
void InterruptedGame::replay(Dialogs &dialogs, QWidget *window)
{
    if (!dialogs.confirm(window, tr("Partie interrompue"),
                         tr("Une partie en réseau a été interrompue ; son adversaire n'est plus là. La revoir ?"))) {
        emit statusChanged(tr("La partie interrompue est gardée dans %1.").arg(aside));
        return;
    }
    if (controller->openRecord(record))
        emit opened(aside);
}
