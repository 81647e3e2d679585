// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "GameController.h"
#include "MainWindow.h"
#include "ScriptedDialogs.h"

#include <QColor>
#include <QStringList>

class BoardWidget;
class QAction;

// Drives the real main window the way a person does: options, buttons and presses
// on the board, with the dialogs answered by a ScriptedDialogs. Its controller
// listens on a free port and the computer does not pause.
class WindowDriver
{
public:
    // A window as on a first run, or (false) with the settings the last window kept.
    explicit WindowDriver(bool freshSettings = true);
    ~WindowDriver();

    template <typename T>
    T *child(const char *name) const { return window->findChild<T *>(QLatin1String(name)); }

    void click(const char *buttonName);
    // Triggers the menu action with this text; fails the test when it is missing or greyed.
    bool trigger(const QString &text);
    QAction *action(const QString &text) const;
    // Two presses: the stone on cell "B2", then its destination "B3".
    void play(const char *from, const char *to);
    // One press on the centre of a cell named like "B2".
    void press(const char *cell);
    // Writes a board file of the rows given, from the top, the rows below them empty,
    // into a temporary path and loads it with the browse button.
    QString browseBoard(const QByteArray &topRows);
    void startCustom(const QByteArray &topRows);

    QString status() const;
    QStringList moveLines() const;
    QColor moveColor(int row) const;
    GameController *controller() { return &game; }
    const Board &board() const { return game.model()->position(); }
    BoardWidget *boardView() const;

    ScriptedDialogs dialogs;
    GameController game{GameController::Settings{0, 0}};
    MainWindow *window;

private:
    MainWindow *newWindow(bool freshSettings);
};
