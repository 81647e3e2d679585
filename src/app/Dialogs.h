// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// The modal boxes and file dialogs of the window, behind one seam so that it also
// runs where nobody can answer a dialog (tests, the tools that draw its pictures).
// Nothing below the window opens a box.
class Dialogs
{
public:
    // The answers to a box that asks whether to keep what would be lost.
    enum class Answer { Save, Discard, Cancel };

    virtual ~Dialogs() = default;
    // An information box with an Ok button; returns when it is closed.
    virtual void information(const QString &title, const QString &text) = 0;
    virtual void warning(QWidget *parent, const QString &title, const QString &text) = 0;
    // A question with the buttons Save, Discard and Cancel; closing the box cancels.
    virtual Answer question(QWidget *parent, const QString &title, const QString &text) = 0;
    // A question answered yes or no; closing the box says no.
    virtual bool confirm(QWidget *parent, const QString &title, const QString &text) = 0;
    // The chosen path, or a null string when the dialog was cancelled.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    // One of the items, a line each, chosen in a list: its index, or -1 when cancelled.
    virtual int choose(QWidget *parent, const QString &title, const QString &label, const QStringList &items) = 0;
    // Where to join a game: the host's name or address and its port, shown as they
    // were and changed in place; false when cancelled.
    virtual bool joinAddress(QWidget *parent, QString &host, quint16 &port) = 0;
    // Where to wait for remote players: on this computer only or on every address,
    // and the port; false when cancelled.
    virtual bool listening(QWidget *parent, bool &localOnly, quint16 &port) = 0;
};
