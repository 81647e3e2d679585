#include "Board.h"

#include <QFile>
#include <QSaveFile>

namespace {
constexpr int fileSize = 8; // a board file always has 8 lines of 8 codes
}

Board::Board(int columns, int rows)
    : columns(columns), rows(rows), cells(columns, std::vector<int>(rows, 0))
{
}

Board::~Board() = default;

void Board::applyMove(Move &move)
{
    move.captured = cells[move.toX][move.toY];
    cells[move.toX][move.toY] = cells[move.fromX][move.fromY];
    cells[move.fromX][move.fromY] = 0;
    lastMove = move;
}

void Board::undoMove(const Move &move)
{
    cells[move.fromX][move.fromY] = cells[move.toX][move.toY];
    cells[move.toX][move.toY] = move.captured;
}

bool Board::isDraw(int /*player*/) const
{
    return false;
}

bool Board::loadFromFile(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    loadFrom(file);
    return true;
}

void Board::loadFrom(QIODevice &device)
{
    for (int x = 0; x < fileSize; ++x)
        for (int y = 0; y < fileSize; ++y)
            cells[x][y] = 0;
    for (int y = 0; y < fileSize && !device.atEnd(); ++y)
        fillRow(y, QString::fromLatin1(device.readLine()));
}

// Pieces are separated by spaces only; "2a" or "x" read as 0, extra pieces are ignored.
void Board::fillRow(int y, const QString &line)
{
    const QStringList pieces = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int x = 0; x < fileSize && x < pieces.size(); ++x)
        cells[x][y] = pieces[x].toInt();
}

QString Board::fileText() const
{
    QString text;
    for (int y = 0; y < fileSize; ++y) {
        for (int x = 0; x < fileSize; ++x)
            text += QString::number(cells[x][y]) + QLatin1Char(' ');
        text += QLatin1Char('\n');
    }
    return text;
}

bool Board::saveToFile(const QString &path, QString *error) const
{
    QSaveFile file(path);
    const QByteArray bytes = fileText().toLatin1();
    // commit() ignores a failing flush of the write buffer and would install a
    // truncated file (disk full, size limit), so flush and check first.
    const bool saved = file.open(QIODevice::WriteOnly | QIODevice::Text)
                       && file.write(bytes) == bytes.size() && file.flush() && file.commit();
    if (!saved && error)
        *error = file.errorString();
    return saved;
}

QString Board::toText() const
{
    QString text;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x)
            text += QString::number(cells[x][y]) + QLatin1Char(' ');
    return text;
}
