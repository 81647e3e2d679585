#pragma once

#include "Dialogs.h"

#include <functional>

// Answers the program's dialogs without showing them: boxes are handed to a
// callback, file dialogs get a fixed path.
class RecordingDialogs : public Dialogs
{
public:
    void information(const QString &title, const QString &text) override;
    void warning(QWidget *parent, const QString &title, const QString &text) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;

    QString path; // answer of every file dialog
    std::function<void(const QString &title, const QString &text)> onBox;
};
