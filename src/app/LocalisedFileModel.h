// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIdentityProxyModel>

// A file dialog's files with their sizes and dates written in the program's
// language: Qt writes them in the system's, which may be another (or none: "C").
class LocalisedFileModel : public QIdentityProxyModel
{
    Q_OBJECT

public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex &index, int role) const override;

    // The columns of QFileSystemModel.
    enum Column { sizeColumn = 1, dateColumn = 3 };
};
