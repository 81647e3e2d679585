// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDir>
#include <QImage>
#include <QString>

// Every picture of the program, written under one folder with the paths that the
// resource file lists: icons/... and images/Images/..., and the application
// icon at the desktop's sizes under icons/hicolor/.
class PictureSet
{
public:
    explicit PictureSet(const QDir &root);

    // Draws and writes every picture; false (with a message on stderr) on the
    // first file that cannot be written.
    bool writeAll() const;

private:
    bool writeIcons() const;
    bool writeSquares() const;
    bool writeAppIcon() const;
    static QImage appIcon(int size);
    bool write(const QImage &image, const QString &path, const char *format) const;

    QDir root;
};
