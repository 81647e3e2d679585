// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocalisedFileModel.h"

#include <QDateTime>
#include <QFileSystemModel>
#include <QLocale>

QVariant LocalisedFileModel::data(const QModelIndex &index, int role) const
{
    const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
    if (!files || role != Qt::DisplayRole || (index.column() != sizeColumn && index.column() != dateColumn))
        return QIdentityProxyModel::data(index, role);
    const QFileInfo file = files->fileInfo(mapToSource(index));
    if (index.column() == dateColumn)
        return QLocale().toString(file.lastModified(), QLocale::ShortFormat);
    // Folders have no size, as in the model underneath.
    return file.isDir() ? QVariant() : QVariant(QLocale().formattedDataSize(file.size()));
}
