#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

bool Translations::installQtFrench()
{
    return qtTranslator.load(QStringLiteral("qtbase_fr"), QLibraryInfo::location(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(&qtTranslator);
}

QString Translations::fileErrorReason(const QString &reason)
{
    return QCoreApplication::translate("QIODevice", reason.toUtf8().constData());
}
