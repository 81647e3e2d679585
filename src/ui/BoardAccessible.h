// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

#include <vector>

class BoardWidget;

// What screen readers see of the board: a table of its rows and columns as drawn
// (flipped or not), whose cells tell their square and stone (BoardAccessibleCell).
// The cell under the keyboard cursor has the focus; the board's description is the
// last move played.
class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface
{
public:
    explicit BoardAccessible(BoardWidget *board);
    ~BoardAccessible() override;

    // Has Qt make one for every board view; once is enough.
    static void install();

    BoardWidget *board() const;

    void *interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    QAccessibleInterface *cellAt(int row, int column) const override;
    int rowCount() const override;
    int columnCount() const override;
    // The row numbers and column letters written beside the squares.
    QString rowDescription(int row) const override;
    QString columnDescription(int column) const override;
    // The only selection is the stone chosen to move.
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    // Rows and columns are never selected as a whole, and the board has neither
    // caption nor summary beyond its name.
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    static QAccessibleInterface *create(const QString &className, QObject *object);

    // Made on first use and kept in Qt's cache, which the ids name; freed with the board's.
    mutable std::vector<QAccessible::Id> cellIds;
};
