// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameModel.h"

#include <QDate>

#include <algorithm>

namespace {
void copyCells(const Board &from, Board &to)
{
    to.cells = from.cells;
    to.lastMove = Move();
}
} // namespace

GameModel::GameModel(QObject *parent)
    : QObject(parent), header(GameRecord::fromInitialPosition())
{
}

void GameModel::reset(const Board &position, Side toMove)
{
    header = GameRecord::fromInitialPosition();
    header.setTag(QStringLiteral("Date"), QDate::currentDate().toString(QStringLiteral("yyyy.MM.dd")));
    header.setStart(position, toMove);
    copyCells(position, start);
    startSide = toMove;
    played.clear();
    showPlies(0);
    emit changed();
}

bool GameModel::load(const GameRecord &game, int *illegal)
{
    ZarvikBoard check;
    if (!game.replay(check, illegal))
        return false;
    header = game;
    header.moves.clear();
    game.start(start, startSide);
    played.clear();
    // Played again, so that each ply knows what it captured, as when played here.
    ZarvikBoard board;
    Side side = startSide;
    game.start(board, side);
    for (Move move : game.moves) {
        if (move != GameRecord::pass)
            board.applyMove(move);
        played.push_back({move, side});
        side = ~side;
    }
    showPlies(int(played.size()));
    emit changed();
    return true;
}

GameRecord GameModel::record() const
{
    GameRecord game = header;
    for (const Ply &ply : played)
        game.moves.push_back(ply.move);
    return game;
}

void GameModel::setCursor(int plies)
{
    plies = std::clamp(plies, 0, int(played.size()));
    if (plies == shownPlies)
        return;
    showPlies(plies);
    emit changed();
}

bool GameModel::play(const Move &proposed)
{
    if (!shown.isLegalPly(proposed, shownSide))
        return false;
    if (atEnd() || played[size_t(shownPlies)].move != proposed) {
        played.resize(size_t(shownPlies));
        header.dropCommentsFrom(shownPlies);
        played.push_back({proposed, shownSide});
    }
    Move move = proposed;
    if (move != GameRecord::pass)
        shown.applyMove(move);
    played[size_t(shownPlies)].move = move; // with what it captured
    shownSide = ~shownSide;
    ++shownPlies;
    emit changed();
    return true;
}

void GameModel::truncate()
{
    played.resize(size_t(shownPlies));
    header.dropCommentsFrom(shownPlies);
    header.setResult(GameRecord::unfinished);
    header.setTag(terminationTag, GameRecord::byNothingYet);
    emit changed();
}

void GameModel::setComment(int ply, const QString &text)
{
    header.setComment(ply, text);
    emit changed();
}

void GameModel::setTag(const QString &name, const QString &value)
{
    header.setTag(name, value);
    emit changed();
}

void GameModel::setResult(const QString &result, const QString &termination)
{
    header.setResult(result);
    header.setTag(terminationTag, termination);
    emit changed();
}

// Replayed from the start: a game is a few dozen plies, and the position shown is
// then always the one its plies lead to.
void GameModel::showPlies(int plies)
{
    copyCells(start, shown);
    shownSide = startSide;
    for (int i = 0; i < plies; ++i) {
        Move move = played[size_t(i)].move;
        if (move != GameRecord::pass)
            shown.applyMove(move);
        shownSide = ~shownSide;
    }
    shownPlies = plies;
}
