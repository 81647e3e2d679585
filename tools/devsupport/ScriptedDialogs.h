// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Dialogs.h"

#include <QStringList>
#include <functional>

// Dialogs for a run where nobody can answer them (tests, tools): records every box
// instead of showing it and answers file dialogs from a script, so nothing blocks.
class ScriptedDialogs : public Dialogs
{
public:
    void information(const QString &title, const QString &text) override;
    void warning(QWidget *parent, const QString &title, const QString &text) override;
    Answer question(QWidget *parent, const QString &title, const QString &text) override;
    bool confirm(QWidget *parent, const QString &title, const QString &text) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    int choose(QWidget *parent, const QString &title, const QString &label, const QStringList &items) override;
    bool joinAddress(QWidget *parent, QString &host, quint16 &port) override;
    bool listening(QWidget *parent, bool &localOnly, quint16 &port) override;

    QStringList informations; // "title|text" of each information box, in order
    QStringList warnings;     // "title|text" of each warning box
    QStringList questions;    // "title|text" of each question
    Answer nextAnswer = Answer::Discard; // answer to every question
    QStringList confirmations; // "title|text" of each yes-or-no question
    bool nextConfirmation = true;  // answer to every yes-or-no question
    QStringList captions;     // caption|dir|filter of each file dialog
    QString nextPath;         // answer of the next file dialog; null means cancelled
    QList<QStringList> choices; // the items of each list to choose from
    int nextChoice = 0;       // answer to every list; -1 means cancelled
    // The answers of the join and listening dialogs ("127.0.0.1:8888", "local:0",
    // "every:8888"), each taken once; none left: cancelled. What each dialog showed
    // first goes to networkShown in the same form.
    QStringList networkAnswers;
    QStringList networkShown;
    // Runs inside information(), as the events delivered while a real box is open.
    std::function<void()> whileBoxOpen;
};
