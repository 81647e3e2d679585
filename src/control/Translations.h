#pragma once

#include <QString>
#include <QTranslator>

// Qt's own texts (file dialogs, standard buttons, network errors) in French, from
// the catalogue that Qt installs (qtbase_fr.qm, Debian package qttranslations5-l10n).
// Keep the object alive as long as the application shows any of Qt's texts.
class Translations
{
public:
    // Installs Qt's French catalogue on the application; false when it is missing,
    // and Qt's texts stay in English.
    bool installQtFrench();

private:
    QTranslator qtTranslator;
};
