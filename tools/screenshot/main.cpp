// SPDX-License-Identifier: GPL-3.0-or-later
// zarvik-screenshot [--replay] OUT.png: the main window after a few opening moves,
// rendered off screen, for the README; with --replay, the same moves saved, opened
// again and stepped back by one, the last move shown marked.
#include "GameController.h"
#include "IsolatedSettings.h"
#include "MainWindow.h"
#include "ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextStream>

namespace {
void trigger(const MainWindow &window, const QString &text)
{
    for (QAction *action : window.findChildren<QAction *>())
        if (action->text() == text)
            action->trigger();
}

// Saves the game, opens it and steps back one move, with the file dialogs answered here.
void replay(MainWindow &window)
{
    static ScriptedDialogs dialogs;
    static QTemporaryDir dir;
    dialogs.nextPath = dir.filePath(QStringLiteral("game.zgn"));
    window.setDialogs(&dialogs);
    trigger(window, QStringLiteral("Enregistrer la partie…"));
    trigger(window, QStringLiteral("Ouvrir une partie…"));
    trigger(window, QStringLiteral("Coup précédent"));
}
} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool replayed = argc == 3 && QByteArray(argv[1]) == "--replay";
    if (argc != 2 && !replayed) {
        QTextStream(stderr) << "usage: zarvik-screenshot [--replay] OUT.png\n";
        return 2;
    }
    IsolatedSettings::begin(); // the window as on a first run, whatever the user's settings
    GameController controller;
    MainWindow window(&controller);
    window.show();
    window.resize(window.sizeHint()); // as on a large screen, whatever the off-screen one's size
    const int opening[][4] = {{2, 6, 2, 5}, {3, 1, 3, 2}, {2, 5, 2, 4}, {3, 2, 3, 3}, {5, 6, 5, 5}, {3, 3, 2, 4}};
    for (const auto &m : opening) {
        Move move(m[0], m[1], m[2], m[3]);
        controller.game()->playMove(move);
    }
    if (replayed)
        replay(window);
    QApplication::processEvents(); // lets the status bar lay out its message
    const char *out = argv[argc - 1];
    if (!window.grab().save(QString::fromLocal8Bit(out))) {
        QTextStream(stderr) << "cannot write " << out << "\n";
        return 1;
    }
    return 0;
}
