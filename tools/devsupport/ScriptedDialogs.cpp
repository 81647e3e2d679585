// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedDialogs.h"

void ScriptedDialogs::information(const QString &title, const QString &text)
{
    informations << title + QLatin1Char('|') + text;
    if (whileBoxOpen)
        whileBoxOpen();
}

void ScriptedDialogs::warning(QWidget *, const QString &title, const QString &text)
{
    warnings << title + QLatin1Char('|') + text;
}

Dialogs::Answer ScriptedDialogs::question(QWidget *, const QString &title, const QString &text)
{
    questions << title + QLatin1Char('|') + text;
    return nextAnswer;
}

QString ScriptedDialogs::openFileName(QWidget *, const QString &caption, const QString &dir,
                                  const QString &filter)
{
    captions << caption + QLatin1Char('|') + dir + QLatin1Char('|') + filter;
    return nextPath;
}

QString ScriptedDialogs::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                  const QString &filter)
{
    return openFileName(parent, caption, dir, filter);
}

int ScriptedDialogs::choose(QWidget *, const QString &, const QString &, const QStringList &items)
{
    choices << items;
    return nextChoice;
}
