// SPDX-License-Identifier: GPL-3.0-or-later
#include "TuneCommand.h"

#include "GameRecordReader.h"
#include "ZarvikBoard.h"

#include <QFile>

#include <cmath>

namespace {
constexpr int defaultSteps = 300;

// A position is a sample when its score is all the search would use: nobody can
// win at once, nothing can be taken, and the race is not decided yet.
bool quiet(const BitPosition &position, Side side)
{
    const BitPosition::Steps moves = position.stepsOf(side);
    return !position.anyWon() && !moves.empty() && position.winningOf(side, moves).empty()
           && position.winningOf(~side, position.stepsOf(~side)).empty()
           && position.capturingOf(side, moves).empty() && ExpertEvaluation::judge(position, side).racePlies == 0;
}

double redScore(const QString &result)
{
    return result == GameRecord::redWins ? 1 : result == GameRecord::blackWins ? 0 : 0.5;
}
} // namespace

QString TuneCommand::name() const
{
    return QStringLiteral("tune");
}

QString TuneCommand::synopsis() const
{
    return QStringLiteral("tune RECORDS... [--steps N]");
}

QString TuneCommand::summary() const
{
    return QStringLiteral("Fits level 4's evaluation weights to the games of records files: every quiet position of "
                          "a finished game (nobody about to win, nothing to take, the race undecided) is a sample "
                          "with the result its side to move went on to score. Prints the games and samples, the "
                          "scale that links scores to results, the mean squared error of today's weights and of the "
                          "fitted ones after N steps of gradient descent (default 300), and every weight before and "
                          "after.");
}

void TuneCommand::addArguments(QCommandLineParser &parser) const
{
    parser.addOption({QStringLiteral("steps"), QStringLiteral("Steps of gradient descent."), QStringLiteral("N"),
                      QString::number(defaultSteps)});
}

int TuneCommand::run(const QCommandLineParser &parser, QTextStream &out, QTextStream &err) const
{
    const QStringList files = parser.positionalArguments().mid(1);
    int steps = 0;
    if (files.isEmpty() || !readInt(parser.value(QStringLiteral("steps")), QStringLiteral("--steps"), steps, err)
        || steps < 1) {
        err << "usage: zarvik-engine " << synopsis() << '\n';
        return 1;
    }
    std::vector<EvaluationFit::Sample> samples;
    int games = 0;
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            err << path << ": " << file.errorString() << '\n';
            return 2;
        }
        GameRecordReader reader(file);
        GameRecord record;
        while (reader.next(record))
            games += addSamples(record, samples);
        if (!reader.error().isEmpty()) {
            err << path << ": " << reader.error() << '\n';
            return 2;
        }
    }
    const EvaluationFit fit(std::move(samples));
    const std::array<int, ExpertEvaluation::featureCount> today = ExpertEvaluation::weights();
    EvaluationFit::Weights start{};
    std::copy(today.begin(), today.end(), start.begin());
    const double scale = fit.fitScale(start);
    const EvaluationFit::Weights fitted = fit.fitWeights(start, scale, steps);
    out << "games " << games << " samples " << fit.sampleCount() << " scale " << scale << Qt::endl;
    out << "error " << fit.error(start, scale) << " fitted " << fit.error(fitted, scale) << Qt::endl;
    for (int i = 0; i < ExpertEvaluation::featureCount; ++i)
        out << QString::fromStdString(ExpertEvaluation::weightName(i)) << ' ' << today[std::size_t(i)] << ' '
            << std::lround(fitted[std::size_t(i)]) << Qt::endl;
    return 0;
}

bool TuneCommand::addSamples(const GameRecord &record, std::vector<EvaluationFit::Sample> &samples)
{
    if (record.result() == GameRecord::unfinished)
        return false;
    ZarvikBoard board;
    Side side = Side::Red;
    if (!record.start(board, side))
        return false;
    const double red = redScore(record.result());
    for (Move move : record.moves) {
        const BitPosition position(board);
        const Side mover = side;
        if (quiet(position, mover))
            samples.push_back({ExpertEvaluation::features(position, mover), mover == Side::Red ? red : 1 - red});
        if (move != GameRecord::pass) {
            if (!board.isLegal(move, side))
                return false;
            board.applyMove(move);
        }
        side = ~side;
    }
    return true;
}
