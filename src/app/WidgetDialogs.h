// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Dialogs.h"

#include <QFileDialog>

// The real dialogs: QMessageBox and QFileDialog. Information boxes are centred on
// the owner window.
class WidgetDialogs : public Dialogs
{
public:
    explicit WidgetDialogs(QWidget *owner = nullptr);

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

private:
    QString fileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                     QFileDialog::AcceptMode mode);
    static void fitColumns(QFileDialog &dialog);

    QWidget *owner;
};
