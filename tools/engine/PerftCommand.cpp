// SPDX-License-Identifier: GPL-3.0-or-later
#include "PerftCommand.h"

#include "BitPosition.h"
#include "ZarvikBoard.h"

QString PerftCommand::name() const
{
    return QStringLiteral("perft");
}

QString PerftCommand::synopsis() const
{
    return QStringLiteral("perft DEPTH [--board FILE.brd] [--side red|black]");
}

QString PerftCommand::summary() const
{
    return QStringLiteral("Counts the leaves of the move tree for every depth from 1 to DEPTH, one line "
                          "\"depth D leaves N\" each, from the initial position or the board file, "
                          "red to move unless --side says otherwise.");
}

void PerftCommand::addArguments(QCommandLineParser &parser) const
{
    parser.addPositionalArgument(QStringLiteral("DEPTH"), QStringLiteral("Deepest depth counted, 1 or more."));
    parser.addOption({QStringLiteral("board"), QStringLiteral("Position read from a board file."), QStringLiteral("FILE.brd")});
    parser.addOption({QStringLiteral("side"), QStringLiteral("Side to move: red (default) or black."),
                      QStringLiteral("red|black"), QStringLiteral("red")});
}

int PerftCommand::run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const
{
    const QStringList arguments = parser.positionalArguments();
    int depth = 0;
    Side side = Side::Red;
    ZarvikBoard board;
    if (arguments.size() != 2) {
        err << "usage: zarvik-engine " << synopsis() << '\n';
        return 1;
    }
    if (!readInt(arguments[1], QStringLiteral("DEPTH"), depth, err) || !readSide(parser, QStringLiteral("side"), side, err))
        return 1;
    if (depth < 1) {
        err << "DEPTH must be 1 or more\n";
        return 1;
    }
    if (parser.isSet(QStringLiteral("board")) && !loadBoard(parser.value(QStringLiteral("board")), board, err))
        return 1;
    const BitPosition position(board);
    for (int d = 1; d <= depth; ++d)
        out << "depth " << d << " leaves " << quint64(position.perft(side, d)) << Qt::endl;
    return 0;
}
