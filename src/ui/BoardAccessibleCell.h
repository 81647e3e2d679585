// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleInterface>
#include <QCoreApplication>
#include <QPointer>

class BoardWidget;

// One square of the board for screen readers: its name is the square and what stands
// on it ("E2, pierre rouge", "E3, vide"), its description the marks on it (the stone
// chosen, a destination, the last move, the hint).
class BoardAccessibleCell : public QAccessibleInterface, public QAccessibleTableCellInterface
{
    Q_DECLARE_TR_FUNCTIONS(BoardAccessibleCell)

public:
    // The cell at this row and column of the view, counted from its top left.
    BoardAccessibleCell(BoardWidget *board, int row, int column);

    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    // The names come from the position: they cannot be set.
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    int rowIndex() const override { return row; }
    int columnIndex() const override { return column; }
    int rowExtent() const override { return 1; }
    int columnExtent() const override { return 1; }
    // The row numbers and column letters are the table's descriptions, not cells.
    QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
    QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
    QAccessibleInterface *table() const override { return parent(); }

private:
    QString name() const;
    QString marks() const;
    QPoint square() const;

    QPointer<BoardWidget> board;
    const int row;
    const int column;
};
