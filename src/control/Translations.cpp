#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

bool Translations::installQtFrench()
{
    return qtTranslator.load(QStringLiteral("qtbase_fr"), QLibraryInfo::location(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(&qtTranslator);
}
