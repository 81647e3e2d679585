// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EvaluationGraph.h"
#include "GameReview.h"

#include <QWidget>

class Game;
class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The review of the game shown: level 4 goes over every position in the background
// (making way for a computer that thinks), with a progress bar and a way to stop;
// then the graph of red's chances, each side's summary and each move with its label,
// its chances and the move level 4 prefers with its line. The labels go into the
// game's record as comments, so that a saved game keeps them.
class ReviewPanel : public QWidget
{
    Q_OBJECT

public:
    explicit ReviewPanel(Game *played, QWidget *parent = nullptr);

    // Reviews the game as it stands now.
    void start();
    // The position shown, marked on the graph.
    void showPly(int plies);

signals:
    // A position chosen on the graph or in the list: that many plies from the start.
    void plyChosen(int plies);

private:
    void clear();
    void addPly(const PlyReview &ply);
    void finish(const ReviewSummary &summary);
    void stop();
    static QString sideSummary(const ReviewSummary &summary, Side side);

    Game *played;
    GameReview review;
    QProgressBar *progress;
    QPushButton *cancel;
    QLabel *status;
    EvaluationGraph *graph;
    QLabel *summary;
    QTreeWidget *moves;
    std::vector<EvaluationGraph::Point> points;
};
