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
    line->setWordWrap(true);
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
    layout()->addWidget(label);
    return label;
}

void AnalysisView::showStatus(const QString &text)
{
    status->setText(text);
    for (QLabel *label : {depth, score, line})
        label->clear();
}

void AnalysisView::showDepth(Side toMove, int reached, int value, const QStringList &moves)
{
    const QString signedScore = QString::asprintf("%+d", value);
    depth->setText(tr("Profondeur %1").arg(reached));
    score->setText(toMove == Side::Red ? tr("Score %1 pour rouge").arg(signedScore)
                                       : tr("Score %1 pour noir").arg(signedScore));
    // A move is never cut at the end of a line.
    line->setText(tr("Ligne attendue : %1").arg(moves.join(QStringLiteral(", ")).replace(QStringLiteral(" - "), nonBreakingDash)));
}

void AnalysisView::showEnded()
{
    status->setText(tr("Analyse terminée."));
}
