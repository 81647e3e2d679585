// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EngineCommand.h"

#include <cstdint>

// bench [--signature | --expert]: times the computer's search on fixed positions.
class BenchCommand : public EngineCommand
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    void addArguments(QCommandLineParser &parser) const override;
    int run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const override;

    // Nodes that one pass of the fast search visits over the bench positions at
    // level 1 and level 3: unchanged as long as the search behaves the same.
    static std::int64_t signature();

private:
    struct Timing
    {
        std::int64_t nodes = 0;
        double seconds = 0;
        double rate() const { return seconds > 0 ? nodes / seconds : 0; }
    };

    static std::int64_t fastPass(int level, int threads);
    static Timing timeFast(int level, int threads);
    static Timing timeExpert(int threads);
    static void printExpert(QTextStream &out);
    static void printTiming(QTextStream &out, const QString &label, const Timing &timing);
};
