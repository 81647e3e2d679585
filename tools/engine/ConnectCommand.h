// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EngineCommand.h"

// connect [HOST] [--port P] [--level L] [--time S] [--seed N] [--verbose]: plays one
// game as a remote player of a running Zarvik, with the computer's search.
class ConnectCommand : public EngineCommand
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    void addArguments(QCommandLineParser &parser) const override;
    int run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const override;
};
