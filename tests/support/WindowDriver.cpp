// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowDriver.h"

#include "BoardWidget.h"
#include "IsolatedSettings.h"
#include "ZarvikBoard.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QListView>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

namespace {
QTemporaryDir &scratch()
{
    static QTemporaryDir dir;
    return dir;
}
} // namespace

MainWindow *WindowDriver::newWindow(bool freshSettings)
{
    if (freshSettings)
        IsolatedSettings::begin();
    return new MainWindow(&game);
}

WindowDriver::WindowDriver(bool freshSettings)
    : window(newWindow(freshSettings))
{
    window->setDialogs(&dialogs);
    window->show();
}

WindowDriver::~WindowDriver()
{
    delete window;
}

BoardWidget *WindowDriver::boardView() const
{
    return window->findChild<BoardWidget *>();
}

void WindowDriver::click(const char *buttonName)
{
    auto *button = child<QAbstractButton>(buttonName);
    Q_ASSERT(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

QAction *WindowDriver::action(const QString &text) const
{
    for (QAction *action : window->findChildren<QAction *>())
        if (action->text() == text)
            return action;
    return nullptr;
}

bool WindowDriver::trigger(const QString &text)
{
    QAction *found = action(text);
    if (!found || !found->isEnabled())
        return false;
    found->trigger();
    return true;
}

void WindowDriver::press(const char *cell)
{
    const int x = cell[0] - 'A';
    const int y = 8 - (cell[1] - '0');
    QTest::mouseClick(boardView(), Qt::LeftButton, Qt::NoModifier, boardView()->squareRect(x, y).center());
}

void WindowDriver::play(const char *from, const char *to)
{
    press(from);
    press(to);
}

QString WindowDriver::browseBoard(const QByteArray &topRows)
{
    static int count = 0;
    const QString path = scratch().filePath(QStringLiteral("board%1.brd").arg(++count));
    QByteArray fileText = topRows;
    while (fileText.count('\n') < ZarvikBoard::size)
        fileText += "0 0 0 0 0 0 0 0\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(fileText) != fileText.size())
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    dialogs.nextPath = path;
    click("BrowseButton");
    return path;
}

void WindowDriver::startCustom(const QByteArray &topRows)
{
    browseBoard(topRows); // which chooses it
    click("startGameButton");
}

QString WindowDriver::status() const
{
    return child<QLabel>("statusLabel")->text();
}

QStringList WindowDriver::moveLines() const
{
    QStringList lines;
    const QAbstractItemModel *moves = child<QListView>("moveListWidget")->model();
    for (int i = 0; i < moves->rowCount(); ++i)
        lines << moves->index(i, 0).data().toString();
    return lines;
}

QColor WindowDriver::moveColor(int row) const
{
    const QAbstractItemModel *moves = child<QListView>("moveListWidget")->model();
    return moves->index(row, 0).data(Qt::ForegroundRole).value<QBrush>().color();
}
