// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EngineCommand.h"

struct MatchPlan;
class MatchTable;
class Sprt;

// match --player PLAYER --player PLAYER [...]: plays games between two players on the
// program's own game host, headless, and prints the score table; match --summarize
// RECORDS... prints the table of records files written by earlier matches.
class MatchCommand : public EngineCommand
{
public:
    // Exit codes beyond 0 (done) and 1 (bad arguments).
    static constexpr int fileError = 2;
    static constexpr int interruptedExit = 3;

    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    void addArguments(QCommandLineParser &parser) const override;
    int run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const override;

private:
    int summarize(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const;
    bool readPlan(const QCommandLineParser &parser, const QString &scratchDir, MatchPlan &plan, QTextStream &err) const;
    bool readPlayers(const QCommandLineParser &parser, MatchPlan &plan, QTextStream &err) const;
    bool readSchedule(const QCommandLineParser &parser, const QString &scratchDir, MatchPlan &plan,
                      QTextStream &err) const;
    static bool readSprt(const QCommandLineParser &parser, MatchPlan &plan, QTextStream &err);
    static void printSprt(const Sprt &sprt, const MatchTable &table, const QString &player, QTextStream &out);
};
