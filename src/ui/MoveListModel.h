// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameModel.h"

#include <QAbstractListModel>

#include <vector>

// The game's plies as a list for a view, one row each, numbered as the records
// files number them: "3. E2 - E3", a capture in brackets (its tip says so), a pass
// "--". The plies shown are in their side's colour; those after the cursor, taken
// back and not yet replayed or replaced, are greyed and in italics, and say so to
// screen readers.
// Rows are inserted, removed and changed one by one as the game goes, so that a
// view keeps its scroll; a game loaded resets them.
class MoveListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit MoveListModel(const GameModel *game, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The row of the last ply shown (the game's cursor - 1); -1 at the start.
    int currentRow() const;

signals:
    // The cursor moved, or the rows were reset: a view's selection follows it.
    void currentRowChanged(int row);

private:
    void follow();
    void resetRows();
    void moveCursor(int cursor);
    void followLabels();
    QString text(int row) const;
    QVariant toolTip(int row, bool takenBack) const;

    const GameModel *game;
    std::vector<GameModel::Ply> rows; // the plies as the views were last told them
    int shown = 0;                    // the cursor as the views were last told it
    std::vector<QString> signs;       // a review's sign of each row, as last told
};
