// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleNames.h"

#include <QAbstractButton>
#include <QGroupBox>
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
        {"boardLineEdit", QT_TR_NOOP("Fichier du plateau personnalisé")},
    };
    for (const auto &each : named)
        if (auto *widget = window->findChild<QWidget *>(QLatin1String(each.objectName)))
            widget->setAccessibleName(tr(each.name));
    // Qt names a box without a name of its own after the box around it: the sides'
    // boxes would all be "Options".
    for (QGroupBox *box : window->findChildren<QGroupBox *>())
        if (box->accessibleName().isEmpty())
            box->setAccessibleName(box->title().trimmed());
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        if (!hasWords(button->text()) && button->accessibleName().isEmpty())
            button->setAccessibleName(button->toolTip());
}
