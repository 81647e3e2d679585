// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EngineCommand.h"

// perft DEPTH [--board FILE.brd] [--side red|black]: leaf counts of the move tree.
class PerftCommand : public EngineCommand
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    void addArguments(QCommandLineParser &parser) const override;
    int run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const override;
};
