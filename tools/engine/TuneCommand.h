// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EngineCommand.h"
#include "EvaluationFit.h"

class GameRecord;

// tune RECORDS... [--steps N]: fits level 4's evaluation weights to the results of
// the games of records files (docs/strength.md).
class TuneCommand : public EngineCommand
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    void addArguments(QCommandLineParser &parser) const override;
    int run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const override;

private:
    // Appends the quiet positions of a finished game, with the result the side to
    // move went on to score; false for a game that cannot be replayed.
    static bool addSamples(const GameRecord &record, std::vector<EvaluationFit::Sample> &samples);
};
