// SPDX-License-Identifier: GPL-3.0-or-later
#include "WidgetDialogs.h"

#include "JoinDialog.h"
#include "ListenDialog.h"
#include "LocalisedFileModel.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QTreeView>

namespace {
// The file dialog's width, in characters: a long name and its size, kind and date.
constexpr int fileDialogChars = 120;
} // namespace

WidgetDialogs::WidgetDialogs(QWidget *owner)
    : owner(owner)
{
}

void WidgetDialogs::information(const QString &title, const QString &text)
{
    QMessageBox::information(owner, title, text, QMessageBox::Ok, QMessageBox::NoButton);
}

void WidgetDialogs::warning(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::warning(parent ? parent : owner, title, text);
}

Dialogs::Answer WidgetDialogs::question(QWidget *parent, const QString &title, const QString &text)
{
    const auto button = QMessageBox::question(parent ? parent : owner, title, text,
                                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                              QMessageBox::Save);
    return button == QMessageBox::Save      ? Answer::Save
           : button == QMessageBox::Discard ? Answer::Discard
                                            : Answer::Cancel;
}

bool WidgetDialogs::confirm(QWidget *parent, const QString &title, const QString &text)
{
    return QMessageBox::question(parent ? parent : owner, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
           == QMessageBox::Yes;
}

QString WidgetDialogs::openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter)
{
    return fileName(parent, caption, dir, filter, QFileDialog::AcceptOpen);
}

QString WidgetDialogs::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter)
{
    return fileName(parent, caption, dir, filter, QFileDialog::AcceptSave);
}

// When the system's language is not the program's, the desktop's own dialog would
// speak the system's: Qt's dialog does, with sizes and dates in the program's.
QString WidgetDialogs::fileName(QWidget *parent, const QString &caption, const QString &dir, const QString &filter,
                                QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent ? parent : owner, caption, dir, filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (QLocale::system().language() != QLocale().language()) {
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setProxyModel(new LocalisedFileModel(&dialog));
    }
    fitColumns(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

// Qt's own dialog sizes its columns for English sizes and dates ("10/29/81 02:02PM"):
// a French date and the columns' titles would be cut. The columns after the name
// take the room their contents need, and the dialog widens to keep the name's.
void WidgetDialogs::fitColumns(QFileDialog &dialog)
{
    auto *files = dialog.findChild<QTreeView *>();
    if (!files)
        return;
    for (int column = LocalisedFileModel::sizeColumn; column <= LocalisedFileModel::dateColumn; ++column)
        files->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    const int wide = dialog.fontMetrics().averageCharWidth() * fileDialogChars;
    dialog.resize(qMax(dialog.width(), wide), dialog.height());
}

int WidgetDialogs::choose(QWidget *parent, const QString &title, const QString &label, const QStringList &items)
{
    bool chosen = false;
    const QString item = QInputDialog::getItem(parent ? parent : owner, title, label, items, 0, false, &chosen);
    return chosen ? int(items.indexOf(item)) : -1;
}

bool WidgetDialogs::joinAddress(QWidget *parent, QString &host, quint16 &port)
{
    JoinDialog dialog(host, port, parent ? parent : owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    host = dialog.host();
    port = dialog.port();
    return true;
}

bool WidgetDialogs::listening(QWidget *parent, bool &localOnly, quint16 &port)
{
    ListenDialog dialog(localOnly, port, parent ? parent : owner);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    localOnly = dialog.localOnly();
    port = dialog.port();
    return true;
}
