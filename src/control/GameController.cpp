// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameController.h"

GameController::GameController(const Settings &settings, QObject *parent)
    : QObject(parent), seats(played, settings, this)
{
    connect(&seats, &Seating::failed, this, &GameController::startFailed);
}

void GameController::startGame(const GameOptions &options)
{
    stopGame();
    ZarvikBoard start;
    Side first = options.firstSide;
    if (!loadStart(start, first, options))
        return;
    played.begin(start, first, options);
    seats.seat(options);
}

void GameController::continueGame(const GameOptions &options)
{
    stopGame();
    played.beginHere(options);
    seats.seat(options);
}

// A person who leaves a network game abandons it, so that the other end records
// the same end; other games are just left undecided.
void GameController::stopGame()
{
    const std::optional<Side> person = played.options().personAgainstNetwork();
    if (person)
        played.end(GameResult::cancelled(*person, GameResult::Ending::Abandoned));
    played.stop();
    seats.stop();
}

void GameController::joinGame(const QString &host, quint16 port)
{
    stopGame();
    seats.join(host, port);
}

void GameController::showBoard(const Board &board)
{
    seats.stop();
    played.showBoard(board);
}

bool GameController::openRecord(const GameRecord &record, int *illegal)
{
    if (!played.open(record, illegal))
        return false;
    seats.stop();
    return true;
}

void GameController::resumeGame(const GameRecord &record, const GameOptions &options)
{
    if (openRecord(record))
        continueGame(options);
}

// A custom board file is read again at every start; one that can no longer be read
// is reported and no game starts on it.
bool GameController::loadStart(ZarvikBoard &board, Side &side, const GameOptions &options)
{
    QString error;
    if (!options.position.isEmpty()) {
        GameRecord position;
        position.setTag(QStringLiteral("Start"), options.position);
        if (position.start(board, side))
            return true;
        error = tr("position illisible");
    } else if (!options.customBoard || options.boardFile.isEmpty() || board.loadFromFile(options.boardFile, &error)) {
        return true;
    }
    emit startFailed(tr("Chargement d'un plateau"), error);
    return false;
}
