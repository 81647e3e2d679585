// SPDX-License-Identifier: GPL-3.0-or-later
#include "MoveListModel.h"

#include "MoveComment.h"

#include <QBrush>
#include <QFont>

#include <algorithm>

namespace {
// Moves are equal by their squares alone; a row also tells the capture and the side.
bool sameRow(const GameModel::Ply &a, const GameModel::Ply &b)
{
    return a.move == b.move && a.move.captured == b.move.captured && a.side == b.side;
}

// The roles whose values tell a ply shown from a ply taken back.
const QVector<int> lookRoles = {Qt::ForegroundRole, Qt::FontRole, Qt::AccessibleTextRole, Qt::ToolTipRole};

QFont italic()
{
    QFont font;
    font.setItalic(true);
    return font;
}
} // namespace

MoveListModel::MoveListModel(const GameModel *game, QObject *parent)
    : QAbstractListModel(parent), game(game), rows(game->plies()), shown(game->cursor())
{
    connect(game, &GameModel::changed, this, &MoveListModel::follow);
}

int MoveListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(rows.size());
}

int MoveListModel::currentRow() const
{
    return shown - 1;
}

QVariant MoveListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int row = index.row();
    const bool takenBack = row >= shown;
    switch (role) {
    case Qt::DisplayRole:
        return text(row);
    case Qt::ForegroundRole:
        return QBrush(takenBack ? Qt::gray : rows[size_t(row)].side == Side::Red ? Qt::red : Qt::black);
    case Qt::FontRole:
        return takenBack ? QVariant(italic()) : QVariant();
    case Qt::AccessibleTextRole:
        return takenBack ? tr("%1 (coup repris)").arg(text(row)) : text(row);
    case Qt::ToolTipRole:
        return toolTip(row, takenBack);
    default:
        return QVariant();
    }
}

// The rows the game kept stay; those after them go, and one ply played after them
// comes in. More than one new ply is another game (loaded, or reset and replayed):
// the rows are reset.
void MoveListModel::follow()
{
    const std::vector<GameModel::Ply> &plies = game->plies();
    const int kept = int(std::mismatch(rows.begin(), rows.end(), plies.begin(), plies.end(), sameRow).first - rows.begin());
    if (int(plies.size()) > kept + 1) {
        resetRows();
        followLabels();
        return;
    }
    if (int(rows.size()) > kept) {
        beginRemoveRows(QModelIndex(), kept, int(rows.size()) - 1);
        rows.resize(size_t(kept));
        endRemoveRows();
    }
    if (int(plies.size()) > kept) {
        beginInsertRows(QModelIndex(), kept, kept);
        rows.push_back(plies.back());
        endInsertRows();
    }
    moveCursor(game->cursor());
    followLabels();
}

// A review's signs ("??") follow their moves, told by the plies' comments.
void MoveListModel::followLabels()
{
    signs.resize(rows.size());
    for (int row = 0; row < rowCount(); ++row) {
        const QString sign = MoveComment::symbol(MoveComment::labelOf(game->comment(row)));
        if (signs[size_t(row)] == sign)
            continue;
        signs[size_t(row)] = sign;
        emit dataChanged(index(row), index(row), {Qt::DisplayRole, Qt::AccessibleTextRole});
    }
}

void MoveListModel::resetRows()
{
    beginResetModel();
    rows = game->plies();
    shown = game->cursor();
    signs.clear();
    endResetModel();
    emit currentRowChanged(currentRow());
}

// The plies between the old cursor and the new one change their look.
void MoveListModel::moveCursor(int cursor)
{
    if (cursor == shown)
        return;
    const int first = std::min(cursor, shown);
    const int last = std::min(std::max(cursor, shown), rowCount()) - 1;
    shown = cursor;
    if (first <= last)
        emit dataChanged(index(first), index(last), lookRoles);
    emit currentRowChanged(currentRow());
}

// The brackets of a capture are explained where the pointer rests on it.
QVariant MoveListModel::toolTip(int row, bool takenBack) const
{
    const bool capture = rows[size_t(row)].move.captured != Piece::empty;
    if (capture)
        return takenBack ? tr("Prise, coup repris") : tr("Prise");
    return takenBack ? QVariant(tr("Coup repris")) : QVariant();
}

QString MoveListModel::text(int row) const
{
    const GameModel::Ply &ply = rows[size_t(row)];
    QString move = ply.isPass() ? QStringLiteral("--") : ply.move.toText(ZarvikBoard::size, ZarvikBoard::size);
    if (ply.move.captured != Piece::empty)
        move = QLatin1Char('[') + move + QLatin1Char(']');
    const QString sign = row < int(signs.size()) ? signs[size_t(row)] : QString();
    return QStringLiteral("%1. %2").arg(row + 1).arg(sign.isEmpty() ? move : move + QLatin1Char(' ') + sign);
}
