// SPDX-License-Identifier: GPL-3.0-or-later
#include "GameController.h"
#include "MainWindow.h"
#include "Translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <memory>

namespace {

// --help, --help-all and --version need no window system, so that they answer on a
// text console too: the program then runs as a plain QCoreApplication.
bool asksOnlyForText(int argc, char *argv[])
{
    const QByteArrayList textOptions = {"-h", "-?", "--help", "--help-all", "-v", "--version"};
    for (int i = 1; i < argc; ++i)
        if (textOptions.contains(QByteArray(argv[i])))
            return true;
    return false;
}

const QString languageOptionName = QStringLiteral("lang");

// The code given with --lang, or nothing. Read before any text is made, so that the
// help is in that language too; the other options are read afterwards.
QString languageArgument(const QStringList &arguments)
{
    QCommandLineParser early;
    const QCommandLineOption language(languageOptionName, QString(), QStringLiteral("code"));
    early.addOption(language);
    early.parse(arguments);
    return early.value(language);
}

// The options every Qt Widgets program reads before its own, which --help-all adds
// to the help.
QString qtOptionsText()
{
    return QCoreApplication::translate(
        "main", "Options de Qt :\n"
                "  -platform <nom>        Le système de fenêtres : xcb, wayland, offscreen...\n"
                "  -style <nom>           Le style des contrôles : Fusion, Windows...\n"
                "  -stylesheet <fichier>  Une feuille de style Qt.\n"
                "  -reverse               Disposer la fenêtre de droite à gauche.\n"
                "Les autres sont dans la documentation de QApplication et de QGuiApplication.");
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app(asksOnlyForText(argc, argv) ? new QCoreApplication(argc, argv)
                                                                            : new QApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("zarvik"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZARVIK_VERSION));
    const QString code = languageArgument(QCoreApplication::arguments());
    Translations::Language language = Translations::languageOf(QLocale::system());
    const bool knownCode = code.isEmpty() || Translations::parse(code, language);
    Translations translations;
    translations.install(language);
    if (!knownCode) {
        const QString message = QCoreApplication::translate("main", "Langue inconnue : %1 (fr ou en).").arg(code);
        std::fprintf(stderr, "%s\n", qPrintable(message));
        return 1;
    }
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("main", "Jeu de course à deux joueurs sur un plateau de 8 × 8."));
    // The help option is the program's own, so that its text is in the program's
    // language: Qt's catalogue has none for it.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("?"), QStringLiteral("help")},
                                  QCoreApplication::translate("main", "Afficher cette aide."));
    parser.addOption(help);
    // As in every program whose help is Qt's: the help, and what Qt itself reads.
    const QCommandLineOption helpAll(QStringLiteral("help-all"),
                                     QCoreApplication::translate("main", "Afficher cette aide et les options de Qt."));
    parser.addOption(helpAll);
    parser.addVersionOption();
    parser.addOption({languageOptionName,
                      QCoreApplication::translate("main", "Langue de l'interface : fr (français) ou en (anglais). "
                                                          "Par défaut, l'anglais sur un système en anglais, "
                                                          "le français sinon."),
                      QCoreApplication::translate("main", "langue")});
    parser.process(*app);
    if (parser.isSet(helpAll)) {
        std::printf("%s\n%s\n", qPrintable(parser.helpText()), qPrintable(qtOptionsText()));
        return 0;
    }
    if (parser.isSet(help) || !parser.positionalArguments().isEmpty())
        parser.showHelp(parser.isSet(help) ? 0 : 1);
    GameController controller;
    MainWindow window(&controller);
    window.show();
    return app->exec();
}
