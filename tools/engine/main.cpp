#include "EngineTool.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zarvik-engine"));
    return EngineTool().run(QCoreApplication::arguments());
}
