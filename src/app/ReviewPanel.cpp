// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReviewPanel.h"

#include "Game.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {
// Wide enough for a move with its sign, red's chance and the better move side by side.
constexpr int panelWidth = 290;

QString percent(double chance)
{
    return QStringLiteral("%1 %").arg(std::lround(chance * 100));
}

// What a label is called in words, for the list and the summary.
QString labelName(MoveLabel label)
{
    switch (label) {
    case MoveLabel::Inaccuracy:
        return ReviewPanel::tr("imprécision");
    case MoveLabel::Mistake:
        return ReviewPanel::tr("erreur");
    case MoveLabel::Blunder:
        return ReviewPanel::tr("gaffe");
    case MoveLabel::Best:
    case MoveLabel::None:
        break;
    }
    return QString();
}
} // namespace

ReviewPanel::ReviewPanel(Game *played, QWidget *parent)
    : QWidget(parent), played(played), review(played), progress(new QProgressBar(this)),
      cancel(new QPushButton(tr("Arrêter"), this)), status(new QLabel(this)), graph(new EvaluationGraph(this)),
      summary(new QLabel(this)), moves(new QTreeWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    auto *running = new QHBoxLayout;
    running->addWidget(progress);
    running->addWidget(cancel);
    layout->addLayout(running);
    status->setWordWrap(true);
    summary->setWordWrap(true);
    layout->addWidget(status);
    layout->addWidget(graph, 1);
    layout->addWidget(summary);
    setMinimumWidth(panelWidth);
    moves->setHeaderLabels({tr("Coup"), tr("Rouge"), tr("Mieux")});
    moves->setRootIsDecorated(false);
    moves->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    moves->setAccessibleName(tr("Coups revus"));
    layout->addWidget(moves, 2);
    progress->setAccessibleName(tr("Avancement de la revue"));
    cancel->setToolTip(tr("Arrêter la revue en cours"));
    connect(cancel, &QPushButton::clicked, this, &ReviewPanel::stop);
    connect(&review, &GameReview::progress, this, [this](int done, int total) {
        progress->setRange(0, total);
        progress->setValue(done);
    });
    connect(&review, &GameReview::plyReviewed, this, &ReviewPanel::addPly);
    connect(&review, &GameReview::finished, this, &ReviewPanel::finish);
    connect(graph, &EvaluationGraph::plyChosen, this, &ReviewPanel::plyChosen);
    connect(moves, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *item) {
        if (item)
            emit plyChosen(moves->indexOfTopLevelItem(item) + 1);
    });
    clear();
}

void ReviewPanel::clear()
{
    review.cancel();
    points.clear();
    graph->clear();
    moves->clear();
    summary->clear();
    progress->setValue(0);
    progress->setEnabled(false);
    cancel->setEnabled(false);
}

void ReviewPanel::start()
{
    clear();
    if (played->model()->plies().empty()) {
        status->setText(tr("Aucun coup à revoir."));
        return;
    }
    if (!review.start(played->record())) {
        status->setText(tr("Cette partie ne peut pas être revue : un de ses coups n'est pas permis."));
        return;
    }
    progress->setEnabled(true);
    cancel->setEnabled(true);
    status->setText(tr("Revue en cours : l'ordinateur expert examine chaque position."));
}

void ReviewPanel::stop()
{
    review.cancel();
    cancel->setEnabled(false);
    status->setText(tr("Revue arrêtée."));
}

void ReviewPanel::showPly(int plies)
{
    graph->setShownPly(plies);
}

void ReviewPanel::addPly(const PlyReview &ply)
{
    if (points.empty())
        points.push_back({ply.redBefore, QString(), QString()});
    const QString sign = MoveComment::symbol(ply.label);
    points.push_back({ply.redAfter, ply.played, sign});
    graph->setPoints(points);
    const QString name = labelName(ply.label);
    const QString move = QStringLiteral("%1. %2%3").arg(ply.ply + 1).arg(ply.played, sign.isEmpty() ? QString() : QLatin1Char(' ') + sign);
    auto *item = new QTreeWidgetItem(moves, {move, percent(ply.redAfter), sign.isEmpty() ? QString() : ply.better});
    // The label in words too, for screen readers and whoever does not know the signs,
    // and the line expected after the better move.
    const QString told = name.isEmpty() ? move
                                        : tr("%1, %2 : %3 de chances perdues ; ligne attendue : %4")
                                              .arg(move, name, percent(ply.lost), ply.line.join(QStringLiteral(", ")));
    for (int column = 0; column < moves->columnCount(); ++column)
        item->setToolTip(column, told);
    item->setData(0, Qt::AccessibleTextRole, told);
}

// The review's labels go into the record as comments.
void ReviewPanel::finish(const ReviewSummary &result)
{
    for (const PlyReview &ply : review.plies())
        if (ply.label != MoveLabel::None)
            played->comment(ply.ply, ply.comment().toText());
    cancel->setEnabled(false);
    status->setText(tr("Revue terminée."));
    summary->setText(sideSummary(result, Side::Red) + QLatin1Char('\n') + sideSummary(result, Side::Black));
}

QString ReviewPanel::sideSummary(const ReviewSummary &result, Side side)
{
    return tr("%1 : %2 imprécision(s) (?!), %3 erreur(s) (?), %4 gaffe(s) (?\?) ; perte moyenne %5 points")
        .arg(side == Side::Red ? tr("Rouge") : tr("Noir"))
        .arg(result.count(side, MoveLabel::Inaccuracy))
        .arg(result.count(side, MoveLabel::Mistake))
        .arg(result.count(side, MoveLabel::Blunder))
        .arg(QString::number(result.averageLoss(side) * 100, 'f', 1));
}
