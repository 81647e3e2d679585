// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QRegularExpression>
#include <QWidget>

#include <algorithm>

namespace {
bool hasWords(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}
} // namespace

void AccessibleNames::give(QWidget *window)
{
    const struct
    {
        const char *objectName;
        const char *name;
    } named[] = {
        {"moveListWidget", QT_TR_NOOP("Coups joués")},
        {"maxTimePlayer1Edit", QT_TR_NOOP("Secondes par coup du joueur 1")},
        {"maxTimePlayer2Edit", QT_TR_NOOP("Secondes par coup du joueur 2")},
        {"boardLineEdit", QT_TR_NOOP("Fichier du plateau personnalisé")},
    };
    for (const auto &each : named)
        if (auto *widget = window->findChild<QWidget *>(QLatin1String(each.objectName)))
            widget->setAccessibleName(tr(each.name));
    // The levels "1" to "4" of either side.
    const QRegularExpression level(QStringLiteral("^level(\\d)_player\\d_RB$"));
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
        const QRegularExpressionMatch match = level.match(button->objectName());
        if (match.hasMatch())
            button->setAccessibleName(tr("Niveau %1").arg(match.captured(1)));
        else if (!hasWords(button->text()) && button->accessibleName().isEmpty())
            button->setAccessibleName(button->toolTip());
    }
}
