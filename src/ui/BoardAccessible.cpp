// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardAccessible.h"

#include "BoardAccessibleCell.h"
#include "BoardWidget.h"

#include <algorithm>

BoardAccessible::BoardAccessible(BoardWidget *board)
    : QAccessibleWidget(board, QAccessible::Table)
{
}

BoardAccessible::~BoardAccessible()
{
    for (QAccessible::Id id : cellIds)
        if (id)
            QAccessible::deleteAccessibleInterface(id);
}

void BoardAccessible::install()
{
    static const bool installed = (QAccessible::installFactory(&BoardAccessible::create), true);
    Q_UNUSED(installed)
}

QAccessibleInterface *BoardAccessible::create(const QString &, QObject *object)
{
    auto *board = qobject_cast<BoardWidget *>(object);
    return board ? new BoardAccessible(board) : nullptr;
}

BoardWidget *BoardAccessible::board() const
{
    return static_cast<BoardWidget *>(widget());
}

void *BoardAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

int BoardAccessible::rowCount() const
{
    return board()->shownBoard().rows;
}

int BoardAccessible::columnCount() const
{
    return board()->shownBoard().columns;
}

int BoardAccessible::childCount() const
{
    return rowCount() * columnCount();
}

QAccessibleInterface *BoardAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    cellIds.resize(size_t(childCount()));
    QAccessible::Id &id = cellIds[size_t(index)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(
            new BoardAccessibleCell(board(), index / columnCount(), index % columnCount()));
    return QAccessible::accessibleInterface(id);
}

int BoardAccessible::indexOfChild(const QAccessibleInterface *cell) const
{
    const auto found = std::find_if(cellIds.begin(), cellIds.end(),
                                    [cell](QAccessible::Id id) { return id && QAccessible::accessibleInterface(id) == cell; });
    return found == cellIds.end() ? -1 : int(found - cellIds.begin());
}

QAccessibleInterface *BoardAccessible::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i)
        if (child(i)->rect().contains(x, y))
            return child(i);
    return nullptr;
}

QAccessibleInterface *BoardAccessible::focusChild() const
{
    if (!board()->hasFocus())
        return nullptr;
    return cellAt(board()->cursorRow(), board()->cursorColumn());
}

QAccessibleInterface *BoardAccessible::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return child(row * columnCount() + column);
}

QString BoardAccessible::rowDescription(int row) const
{
    return QString::number(rowCount() - board()->squareAt(row, 0).y());
}

QString BoardAccessible::columnDescription(int column) const
{
    return QString(QChar('A' + board()->squareAt(0, column).x()));
}

int BoardAccessible::selectedCellCount() const
{
    return int(selectedCells().size());
}

QList<QAccessibleInterface *> BoardAccessible::selectedCells() const
{
    QList<QAccessibleInterface *> selected;
    for (int i = 0; i < childCount(); ++i)
        if (child(i)->tableCellInterface()->isSelected())
            selected << child(i);
    return selected;
}
