#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

bool Translations::installQtFrench()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    return qtTranslator.load(QStringLiteral("qtbase_fr"), folder)
        && QCoreApplication::installTranslator(&qtTranslator);
}
