// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Side.h"

#include <QStringList>
#include <QWidget>

class QLabel;

// The analysis panel's contents: what the search is doing, how deep it has looked
// at the position shown, its score for the side to move and the line of play it
// expects.
class AnalysisView : public QWidget
{
    Q_OBJECT

public:
    explicit AnalysisView(QWidget *parent = nullptr);

    // A new position or none to search: the text, and no depth yet.
    void showStatus(const QString &text);
    // A completed depth; the score is toMove's, the line starts with toMove's move.
    // A sure end (movesToEnd, toMove's moves until it wins, negated until it loses)
    // is told in moves instead of the score.
    void showDepth(Side toMove, int depth, int score, int movesToEnd, const QStringList &line);
    // The search has stopped by itself; its last depth stays.
    void showEnded();

private:
    QLabel *addLabel(const char *name);
    static QString scoreText(Side toMove, int score, int movesToEnd);

    QLabel *status;
    QLabel *depth;
    QLabel *score;
    QLabel *line;
};
