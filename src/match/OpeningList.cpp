// SPDX-License-Identifier: GPL-3.0-or-later
#include "OpeningList.h"

#include "GameRecord.h"
#include "ZarvikBoard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

bool OpeningList::load(const QString &path, const QString &scratchDir, QString *error)
{
    list.clear();
    const QFileInfo info(path);
    if (info.isDir()) {
        const QDir dir(path);
        for (const QString &name : dir.entryList({QStringLiteral("*.brd")}, QDir::Files, QDir::Name))
            if (!addBoardFile(dir.filePath(name), error))
                return false;
        if (list.empty())
            *error = QStringLiteral("no *.brd file in %1").arg(path);
        return !list.empty();
    }
    if (info.suffix() == QLatin1String("brd"))
        return addBoardFile(path, error);
    return readTextFile(path, scratchDir, error);
}

bool OpeningList::addBoardFile(const QString &path, QString *error)
{
    ZarvikBoard board;
    QString why;
    if (!board.loadFromFile(path, &why)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, why);
        return false;
    }
    list.push_back({path, Side::Red});
    return true;
}

bool OpeningList::readTextFile(const QString &path, const QString &scratchDir, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QTextStream in(&file);
    for (int lineNumber = 1; !in.atEnd(); ++lineNumber) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        GameRecord record;
        record.setTag(QStringLiteral("Start"), line);
        ZarvikBoard board;
        Side side = Side::Red;
        const QString boardFile = QDir(scratchDir).filePath(QStringLiteral("opening-%1.brd").arg(list.size() + 1));
        QString why = QStringLiteral("not 64 codes and r or b");
        if (!record.start(board, side) || !board.saveToFile(boardFile, &why)) {
            *error = QStringLiteral("%1, line %2: %3").arg(path).arg(lineNumber).arg(why);
            return false;
        }
        list.push_back({boardFile, side});
    }
    if (list.empty())
        *error = QStringLiteral("no position in %1").arg(path);
    return !list.empty();
}
