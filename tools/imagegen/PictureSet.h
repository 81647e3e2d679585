#pragma once

#include <QDir>
#include <QImage>
#include <QString>

// Every picture of the program, written under one folder with the paths that the
// resource file lists: icons/... and images/Images/...
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
    bool write(const QImage &image, const QString &path, const char *format) const;

    QDir root;
};
