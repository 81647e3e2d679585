// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatusLabel.h"

StatusLabel::StatusLabel(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("statusLabel"));
}

void StatusLabel::showStatus(const QString &text)
{
    setText(text);
    emit statusShown(text);
}
