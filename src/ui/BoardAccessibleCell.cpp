// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoardAccessibleCell.h"

#include "BoardWidget.h"
#include "Pieces.h"

BoardAccessibleCell::BoardAccessibleCell(BoardWidget *view, int row, int column)
    : board(view), row(row), column(column)
{
}

bool BoardAccessibleCell::isValid() const
{
    return !board.isNull();
}

QWindow *BoardAccessibleCell::window() const
{
    return board ? parent()->window() : nullptr;
}

QAccessibleInterface *BoardAccessibleCell::parent() const
{
    return QAccessible::queryAccessibleInterface(board);
}

QPoint BoardAccessibleCell::square() const
{
    return board->squareAt(row, column);
}

QString BoardAccessibleCell::text(QAccessible::Text t) const
{
    if (!board)
        return QString();
    if (t == QAccessible::Name)
        return name();
    if (t == QAccessible::Description)
        return marks();
    return QString();
}

QString BoardAccessibleCell::name() const
{
    const QPoint at = square();
    const Board &shown = board->shownBoard();
    // Indexed by the piece codes.
    static const char *const stones[] = {QT_TR_NOOP("vide"), QT_TR_NOOP("petite pierre noire"), QT_TR_NOOP("pierre noire"),
                                         QT_TR_NOOP("petite pierre rouge"), QT_TR_NOOP("pierre rouge")};
    static_assert(sizeof stones / sizeof stones[0] == Piece::highest + 1, "a name for every piece code");
    const int code = shown.cells[at.x()][at.y()];
    const QString stone = tr(stones[code >= 0 && code <= Piece::highest ? code : Piece::empty]);
    return QStringLiteral("%1%2, %3").arg(QChar('A' + at.x())).arg(shown.rows - at.y()).arg(stone);
}

QString BoardAccessibleCell::marks() const
{
    const QPoint at = square();
    const struct
    {
        BoardWidget::Mark mark;
        const char *text;
    } named[] = {{BoardWidget::Mark::Selection, QT_TR_NOOP("pierre choisie")},
                 {BoardWidget::Mark::Destination, QT_TR_NOOP("destination possible")},
                 {BoardWidget::Mark::LastMove, QT_TR_NOOP("dernier coup")},
                 {BoardWidget::Mark::Hint, QT_TR_NOOP("coup conseillé")}};
    QStringList found;
    for (const auto &each : named)
        if (board->hasMark(at.x(), at.y(), each.mark))
            found << tr(each.text);
    return found.join(QStringLiteral(", "));
}

QRect BoardAccessibleCell::rect() const
{
    if (!board)
        return QRect();
    const QPoint at = square();
    const QRect local = board->squareRect(at.x(), at.y());
    return QRect(board->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State BoardAccessibleCell::state() const
{
    QAccessible::State state;
    if (!board) {
        state.invalid = true;
        return state;
    }
    state.focusable = true;
    state.selectable = true;
    state.focused = board->hasFocus() && board->cursorRow() == row && board->cursorColumn() == column;
    state.selected = isSelected();
    return state;
}

bool BoardAccessibleCell::isSelected() const
{
    return board && board->hasMark(square().x(), square().y(), BoardWidget::Mark::Selection);
}

void *BoardAccessibleCell::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface *>(this);
    return nullptr;
}
