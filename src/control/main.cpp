#include "MainWindow.h"
#include "Translations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <memory>

namespace {

// --help and --version need no window system, so that they answer on a text
// console too: the program then runs as a plain QCoreApplication.
bool asksOnlyForText(int argc, char *argv[])
{
    const QByteArrayList textOptions = {"-h", "-?", "--help", "--help-all", "-v", "--version"};
    for (int i = 1; i < argc; ++i)
        if (textOptions.contains(QByteArray(argv[i])))
            return true;
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app(asksOnlyForText(argc, argv) ? new QCoreApplication(argc, argv)
                                                                            : new QApplication(argc, argv));
    QCoreApplication::setApplicationName(QStringLiteral("zarvik"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZARVIK_VERSION));
    Translations translations;
    translations.installQtFrench();
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Jeu de course à deux joueurs sur un plateau de 8 × 8."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(*app);
    if (!parser.positionalArguments().isEmpty())
        parser.showHelp(1);
    MainWindow window;
    window.show();
    return app->exec();
}
