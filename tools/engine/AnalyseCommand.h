// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EngineCommand.h"

// analyse FILE.brd --side S --level L --depth D [--seed N]: the computer's search
// without time limit, depth by depth, with the score of every root move.
class AnalyseCommand : public EngineCommand
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    void addArguments(QCommandLineParser &parser) const override;
    int run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const override;
};
