// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnalysisView.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {
const QString nonBreakingDash = QStringLiteral("\u00a0-\u00a0");
} // namespace

AnalysisView::AnalysisView(QWidget *parent)
    : QWidget(parent)
{
    new QVBoxLayout(this);
    status = addLabel("analysisStatus");
    depth = addLabel("analysisDepth");
    score = addLabel("analysisScore");
    line = addLabel("analysisLine");
    // Selectable, so that a line can be copied and read move by move from the keyboard.
    line->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    layout()->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding));
    // Room for a few moves of the line on each of its rows.
    setMinimumWidth(fontMetrics().averageCharWidth() * 28);
}

QLabel *AnalysisView::addLabel(const char *name)
{
    auto *label = new QLabel(this);
    label->setObjectName(QLatin1String(name));
    // The panel is narrow: a long status or line goes on the next row, not out of sight.
    label->setWordWrap(true);
    layout()->addWidget(label);
    return label;
}

void AnalysisView::showStatus(const QString &text)
{
    status->setText(text);
    for (QLabel *label : {depth, score, line})
        label->clear();
}

void AnalysisView::showDepth(Side toMove, int reached, int value, int movesToEnd, const QStringList &moves)
{
    depth->setText(tr("Profondeur %1").arg(reached));
    score->setText(scoreText(toMove, value, movesToEnd));
    // A move is never cut at the end of a line.
    line->setText(tr("Ligne attendue : %1").arg(moves.join(QStringLiteral(", ")).replace(QStringLiteral(" - "), nonBreakingDash)));
}

// A won score means nothing to a player ("+29997"): the moves left say it.
QString AnalysisView::scoreText(Side toMove, int value, int movesToEnd)
{
    const bool red = toMove == Side::Red;
    const QString moves = qAbs(movesToEnd) == 1 ? tr("1 coup") : tr("%1 coups").arg(qAbs(movesToEnd));
    if (movesToEnd > 0)
        return (red ? tr("Rouge gagne en %1") : tr("Noir gagne en %1")).arg(moves);
    if (movesToEnd < 0)
        return (red ? tr("Rouge perd en %1") : tr("Noir perd en %1")).arg(moves);
    const QString signedScore = QString::asprintf("%+d", value);
    return red ? tr("Score %1 pour rouge").arg(signedScore) : tr("Score %1 pour noir").arg(signedScore);
}

void AnalysisView::showEnded()
{
    status->setText(tr("Analyse terminée."));
}
