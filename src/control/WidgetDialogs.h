#pragma once

#include "Dialogs.h"

// The real dialogs: QMessageBox and QFileDialog.
class WidgetDialogs : public Dialogs
{
public:
    void information(const QString &title, const QString &text) override;
    void warning(QWidget *parent, const QString &title, const QString &text) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
};
