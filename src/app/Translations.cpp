// SPDX-License-Identifier: GPL-3.0-or-later
#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

// Q_INIT_RESOURCE declares the registration function at block scope, so it must
// not be inside a namespace. The catalogue is in a static library: nothing would
// register it otherwise.
static void registerCatalogues()
{
    Q_INIT_RESOURCE(translations);
}

namespace {
QString qtCatalogueFolder()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}
} // namespace

Translations::Language Translations::languageOf(const QLocale &locale)
{
    return locale.language() == QLocale::English ? Language::English : Language::French;
}

bool Translations::parse(const QString &code, Language &language)
{
    if (code != QLatin1String("fr") && code != QLatin1String("en"))
        return false;
    language = code == QLatin1String("en") ? Language::English : Language::French;
    return true;
}

bool Translations::install(Language language)
{
    static const bool registered = (registerCatalogues(), true);
    Q_UNUSED(registered);
    // Dates and numbers are written in the program's language, whatever the system's.
    QLocale::setDefault(language == Language::English ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                                      : QLocale(QLocale::French, QLocale::France));
    QCoreApplication::removeTranslator(&qtTranslator);
    QCoreApplication::removeTranslator(&programTranslator);
    if (language == Language::English)
        return programTranslator.load(QStringLiteral(":/translations/zarvik_en.qm"))
               && QCoreApplication::installTranslator(&programTranslator);
    return qtTranslator.load(QStringLiteral("qtbase_fr"), qtCatalogueFolder())
           && QCoreApplication::installTranslator(&qtTranslator);
}
