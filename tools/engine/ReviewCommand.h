// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EngineCommand.h"

#include <vector>

class GameRecord;
class ReviewSummary;

// review FILE [--time S] [--threads N] [--depth D] [--output FILE]: level 4's review of every
// game of a records file, the one the window makes (GameReview), as tables.
class ReviewCommand : public EngineCommand
{
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    void addArguments(QCommandLineParser &parser) const override;
    int run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const override;

private:
    // How each position is searched.
    struct Search
    {
        double seconds = 0;
        int threads = 1;
        int depth = 0; // 0: the time decides
    };

    // Reviews the game, prints its table and summary, and annotates it; false when
    // it cannot be replayed.
    static bool review(GameRecord &record, const Search &search, QTextStream &out);
    static void printSummary(const ReviewSummary &summary, QTextStream &out);
    static bool write(const QString &path, const std::vector<GameRecord> &records, QTextStream &err);
};
