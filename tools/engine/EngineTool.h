// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EngineCommand.h"

#include <QStringList>
#include <memory>
#include <vector>

// zarvik-engine: finds the command named first on the command line, lets it declare
// its arguments and runs it. A new command is one more EngineCommand registered in
// the constructor.
class EngineTool
{
public:
    EngineTool();
    int run(const QStringList &arguments);

private:
    QString overview() const;
    const EngineCommand *find(const QString &name) const;

    std::vector<std::unique_ptr<EngineCommand>> commands;
};
