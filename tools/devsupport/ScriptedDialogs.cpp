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

bool ScriptedDialogs::confirm(QWidget *, const QString &title, const QString &text)
{
    confirmations << title + QLatin1Char('|') + text;
    return nextConfirmation;
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

namespace {
// "first:port" split; false when no answer is left (the dialog cancelled).
bool takeAnswer(QStringList &answers, QString &first, quint16 &port)
{
    if (answers.isEmpty())
        return false;
    const QString answer = answers.takeFirst();
    const int colon = answer.lastIndexOf(QLatin1Char(':'));
    first = answer.left(colon);
    port = quint16(answer.mid(colon + 1).toUInt());
    return true;
}
} // namespace

bool ScriptedDialogs::joinAddress(QWidget *, QString &host, quint16 &port)
{
    networkShown << host + QLatin1Char(':') + QString::number(port);
    return takeAnswer(networkAnswers, host, port);
}

bool ScriptedDialogs::listening(QWidget *, bool &localOnly, quint16 &port)
{
    networkShown << (localOnly ? QStringLiteral("local:") : QStringLiteral("every:")) + QString::number(port);
    QString where;
    if (!takeAnswer(networkAnswers, where, port))
        return false;
    localOnly = where == QStringLiteral("local");
    return true;
}
