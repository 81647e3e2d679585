// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

// The program's language. French is the language of its texts in the source; English
// comes from its own catalogue, built from translations/zarvik_en.ts into the program.
// With French, Qt's own texts (file dialogs, standard buttons, network errors) come
// from the French catalogue that Qt installs (qtbase_fr.qm, Debian package
// qttranslations5-l10n); with English they are Qt's own. Keep the object alive as
// long as the application shows any text.
class Translations
{
public:
    enum class Language { French, English };

    // English for an English locale, French for any other.
    static Language languageOf(const QLocale &locale);
    // "fr" or "en"; false for any other code.
    static bool parse(const QString &code, Language &language);

    // Puts the application in the language, in place of the one installed before,
    // its locale (dates, numbers) too;
    // false when a catalogue is missing, and those texts stay as in the source (Qt's
    // in English).
    bool install(Language language);

private:
    QTranslator qtTranslator;
    QTranslator programTranslator;
};
