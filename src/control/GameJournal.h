// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Game.h"

#include <QObject>
#include <QString>

// Keeps the game in progress on disk as it goes, so that a program that is killed
// or a machine that loses power loses nothing: after every ply the whole record,
// with who plays each side and their time limits, replaces the file at once (a
// temporary file renamed over the old one). A game that ends, or that is left on
// purpose, leaves nothing behind; what is found at the next start was interrupted.
// The file is a records file like any other, so that it can be opened as a game.
class GameJournal : public QObject
{
    Q_OBJECT

public:
    // What the file left by an earlier run holds.
    enum class Found { Nothing, Game, Damaged };

    GameJournal(const Game *game, const QString &path, QObject *parent = nullptr);

    // The game the file holds and the options it was played with; the reason when it
    // cannot be read (Damaged).
    Found read(GameRecord &record, GameOptions &options, QString &reason) const;
    // Moves the file out of the way, beside it, under a name that tells why and
    // when; the new path, or a null string when it could not be moved.
    QString setAside(const QString &why) const;
signals:
    // The game could not be kept (a full disk, a folder that cannot be written), and
    // why; it goes on, unsaved. Told once until a save succeeds again.
    void saveFailed(const QString &reason);

private:
    void save();
    void forget();

    const Game *game;
    QString file;
    bool failing = false;
};
