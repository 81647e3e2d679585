#include "FakeDialogs.h"

void FakeDialogs::information(const QString &title, const QString &text)
{
    informations << title + QLatin1Char('|') + text;
    if (whileBoxOpen)
        whileBoxOpen();
}

void FakeDialogs::warning(QWidget *, const QString &title, const QString &text)
{
    warnings << title + QLatin1Char('|') + text;
}

QString FakeDialogs::openFileName(QWidget *, const QString &caption, const QString &dir,
                                  const QString &filter)
{
    captions << caption + QLatin1Char('|') + dir + QLatin1Char('|') + filter;
    return nextPath;
}

QString FakeDialogs::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                  const QString &filter)
{
    return openFileName(parent, caption, dir, filter);
}
