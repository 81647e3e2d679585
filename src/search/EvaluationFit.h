// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExpertEvaluation.h"

#include <array>
#include <vector>

// Fits the weights of level 4's evaluation to the results of games (a logistic
// "Texel" fit): every sample is a position's features and the result the side to
// move went on to score (1, 1/2 or 0); the expected result of a score s is
// 1 / (1 + e^(-scale s)), and the fit minimises the mean squared difference
// between the expected and the actual results.
class EvaluationFit
{
public:
    using Weights = std::array<double, ExpertEvaluation::featureCount>;

    struct Sample
    {
        ExpertEvaluation::Features features;
        double result;
    };

    explicit EvaluationFit(std::vector<Sample> samples) : samples(std::move(samples)) {}

    std::size_t sampleCount() const { return samples.size(); }
    double error(const Weights &weights, double scale) const;
    // The scale that fits the weights best: the link between score units and results.
    double fitScale(const Weights &weights) const;
    // The weights after that many steps of gradient descent (Adam) from these.
    Weights fitWeights(Weights weights, double scale, int steps) const;

private:
    static double score(const Weights &weights, const ExpertEvaluation::Features &features);

    std::vector<Sample> samples;
};
