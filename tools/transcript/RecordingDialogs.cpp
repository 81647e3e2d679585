#include "RecordingDialogs.h"

void RecordingDialogs::information(const QString &title, const QString &text)
{
    if (onBox)
        onBox(title, text);
}

void RecordingDialogs::warning(QWidget *, const QString &title, const QString &text)
{
    information(title, text);
}

QString RecordingDialogs::openFileName(QWidget *, const QString &, const QString &, const QString &)
{
    return path;
}

QString RecordingDialogs::saveFileName(QWidget *, const QString &, const QString &, const QString &)
{
    return path;
}
