// SPDX-License-Identifier: GPL-3.0-or-later
#include "EngineTool.h"

#include "AnalyseCommand.h"
#include "BenchCommand.h"
#include "ConnectCommand.h"
#include "MatchCommand.h"
#include "PerftCommand.h"
#include "ReviewCommand.h"
#include "TuneCommand.h"

EngineTool::EngineTool()
{
    commands.push_back(std::make_unique<PerftCommand>());
    commands.push_back(std::make_unique<AnalyseCommand>());
    commands.push_back(std::make_unique<BenchCommand>());
    commands.push_back(std::make_unique<ConnectCommand>());
    commands.push_back(std::make_unique<MatchCommand>());
    commands.push_back(std::make_unique<TuneCommand>());
    commands.push_back(std::make_unique<ReviewCommand>());
}

QString EngineTool::overview() const
{
    QString text = QStringLiteral("Tools around the Zarvik computer player.\n\nCommands:\n");
    for (const auto &command : commands)
        text += QStringLiteral("  zarvik-engine %1\n      %2\n").arg(command->synopsis(), command->summary());
    text += QStringLiteral("\nSide names are red and black; boards are .brd files. "
                           "\"zarvik-engine COMMAND --help\" lists a command's options.");
    return text;
}

const EngineCommand *EngineTool::find(const QString &name) const
{
    for (const auto &command : commands)
        if (command->name() == name)
            return command.get();
    return nullptr;
}

// A first lenient pass finds the command; the command then adds its own arguments
// and the second, strict pass checks the whole line (and answers --help).
int EngineTool::run(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QCommandLineParser parser;
    parser.setApplicationDescription(overview());
    parser.addHelpOption();
    parser.addVersionOption();
    QStringList names;
    for (const auto &command : commands)
        names << command->name();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("One of: %1.").arg(names.join(QStringLiteral(", "))));
    parser.parse(arguments);
    const QStringList positional = parser.positionalArguments();
    const EngineCommand *command = positional.isEmpty() ? nullptr : find(positional.first());
    if (!command) {
        if (parser.isSet(QStringLiteral("help")))
            parser.showHelp(0);
        if (parser.isSet(QStringLiteral("version")))
            parser.showVersion();
        err << (positional.isEmpty() ? QStringLiteral("no command given")
                                     : QStringLiteral("unknown command ") + positional.first())
            << "\n\n" << overview() << '\n';
        return 1;
    }
    parser.clearPositionalArguments();
    parser.setApplicationDescription(QStringLiteral("zarvik-engine %1\n%2").arg(command->synopsis(), command->summary()));
    parser.addPositionalArgument(command->name(), QStringLiteral("The command."));
    command->addArguments(parser);
    parser.process(arguments);
    return command->run(parser, out, err);
}
