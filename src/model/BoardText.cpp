// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardText.h"

#include <QStringList>

namespace {

// toInt() alone would also take a plus sign or surrounding blanks.
bool isInteger(const QString &field)
{
    const int digitsFrom = field.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (field.size() == digitsFrom)
        return false;
    for (int i = digitsFrom; i < field.size(); ++i)
        if (field[i].unicode() < '0' || field[i].unicode() > '9')
            return false;
    return true;
}

} // namespace

QString BoardText::write(const BoardFile::Grid &cells)
{
    QString text;
    const std::size_t rows = cells.empty() ? 0 : cells.front().size();
    for (std::size_t y = 0; y < rows; ++y)
        for (const auto &column : cells)
            text += QString::number(column[y]) + QLatin1Char(' ');
    return text;
}

bool BoardText::read(const QString &text, BoardFile::Grid &cells)
{
    const int columns = int(cells.size());
    const int squares = columns * (cells.empty() ? 0 : int(cells.front().size()));
    const QStringList fields = text.split(QLatin1Char(' '));
    // The space after the last code leaves an empty field.
    if (fields.size() != squares + 1 || !fields.last().isEmpty())
        return false;
    BoardFile::Grid read = cells;
    for (int i = 0; i < squares; ++i) {
        bool ok = false;
        read[std::size_t(i % columns)][std::size_t(i / columns)] = fields[i].toInt(&ok);
        if (!ok || !isInteger(fields[i]))
            return false;
    }
    cells = std::move(read);
    return true;
}
