// zarvik-screenshot OUT.png: the main window after a few opening moves, rendered
// off screen, for the README.
#include "GameController.h"
#include "MainWindow.h"

#include <QApplication>
#include <QPixmap>
#include <QTextStream>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: zarvik-screenshot OUT.png\n";
        return 2;
    }
    MainWindow window;
    window.show();
    GameController *controller = GameController::instance();
    const int opening[][4] = {{2, 6, 2, 5}, {3, 1, 3, 2}, {2, 5, 2, 4}, {3, 2, 3, 3}, {5, 6, 5, 5}, {3, 3, 2, 4}};
    for (const auto &m : opening) {
        Move move(m[0], m[1], m[2], m[3]);
        controller->playMove(move);
    }
    QApplication::processEvents(); // lets the status bar lay out its message
    if (!window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        QTextStream(stderr) << "cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
