// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineCommand.h"

#include "ZarvikBoard.h"

#include <cmath>

bool EngineCommand::readInt(const QString &text, const QString &what, int &value, QTextStream &err)
{
    bool ok = false;
    value = text.toInt(&ok);
    if (!ok)
        err << what << " must be a whole number, not \"" << text << "\"\n";
    return ok;
}

bool EngineCommand::readSeconds(const QString &text, const QString &what, double &value, QTextStream &err)
{
    bool ok = false;
    value = text.toDouble(&ok);
    ok = ok && std::isfinite(value);
    if (!ok)
        err << what << " must be a number of seconds, not \"" << text << "\"\n";
    return ok;
}

bool EngineCommand::readSide(const QCommandLineParser &parser, const QString &option, Side &side, QTextStream &err)
{
    const QString text = parser.value(option);
    if (text == QLatin1String("red") || text == QLatin1String("black")) {
        side = text == QLatin1String("red") ? Side::Red : Side::Black;
        return true;
    }
    err << "--" << option << " must be red or black\n";
    return false;
}

bool EngineCommand::loadBoard(const QString &path, ZarvikBoard &board, QTextStream &err)
{
    QString error;
    if (board.loadFromFile(path, &error))
        return true;
    err << error << '\n'; // French, naming the file
    return false;
}

QString EngineCommand::compactText(const Move &move)
{
    return move.toText(ZarvikBoard::size, ZarvikBoard::size).remove(QLatin1Char(' '));
}
