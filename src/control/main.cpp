#include "MainWindow.h"
#include "Translations.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Translations translations;
    translations.installQtFrench();
    MainWindow window;
    window.show();
    return app.exec();
}
