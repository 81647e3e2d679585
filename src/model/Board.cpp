// SPDX-License-Identifier: GPL-3.0-or-later
#include "Board.h"

#include "BoardFile.h"
#include "Pieces.h"
#include "BoardText.h"

Board::Board(int columns, int rows)
    : columns(columns), rows(rows), cells(columns, std::vector<int>(rows, 0))
{
}

Board::~Board() = default;

void Board::applyMove(Move &move)
{
    move.captured = cells[move.toX][move.toY];
    cells[move.toX][move.toY] = cells[move.fromX][move.fromY];
    cells[move.fromX][move.fromY] = Piece::empty;
    lastMove = move;
}

void Board::undoMove(const Move &move)
{
    cells[move.fromX][move.fromY] = cells[move.toX][move.toY];
    cells[move.toX][move.toY] = move.captured;
}

bool Board::isDraw(Side /*side*/) const
{
    return false;
}

bool Board::isLegalPly(const Move &move, Side side) const
{
    if (hasWon(side) || hasWon(~side))
        return false;
    if (move == passMove)
        return !canMove(side) && canMove(~side);
    return isLegal(move, side);
}

bool Board::canMove(Side side) const
{
    MoveList list;
    generateMoves(side, list);
    return list.count > 0;
}

bool Board::loadFromFile(const QString &path, QString *error)
{
    return BoardFile::read(path, cells, error);
}

QString Board::fileText() const
{
    QString text;
    for (int y = 0; y < BoardFile::size; ++y) {
        for (int x = 0; x < BoardFile::size; ++x)
            text += QString::number(cells[x][y]) + QLatin1Char(' ');
        text += QLatin1Char('\n');
    }
    return text;
}

bool Board::saveToFile(const QString &path, QString *error) const
{
    return BoardFile::write(path, fileText().toLatin1(), error);
}

QString Board::toText() const
{
    return BoardText::write(cells);
}
