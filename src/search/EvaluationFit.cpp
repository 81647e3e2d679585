// SPDX-License-Identifier: GPL-3.0-or-later
#include "EvaluationFit.h"

#include <cmath>

namespace {
// The scale is searched between these, by its logarithm.
constexpr double smallestScale = 1e-4;
constexpr double largestScale = 1e-1;
constexpr int scaleRounds = 60;
// Adam's step, in score units, and its usual decay rates.
constexpr double learningRate = 1.0;
constexpr double firstDecay = 0.9;
constexpr double secondDecay = 0.999;
constexpr double tiny = 1e-8;

double expected(double score, double scale)
{
    return 1 / (1 + std::exp(-scale * score));
}
} // namespace

double EvaluationFit::score(const Weights &weights, const ExpertEvaluation::Features &features)
{
    double sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i)
        sum += weights[i] * features[i];
    return sum;
}

double EvaluationFit::error(const Weights &weights, double scale) const
{
    double sum = 0;
    for (const Sample &sample : samples) {
        const double miss = expected(score(weights, sample.features), scale) - sample.result;
        sum += miss * miss;
    }
    return samples.empty() ? 0 : sum / double(samples.size());
}

// The error is unimodal in the scale: a ternary search over its logarithm.
double EvaluationFit::fitScale(const Weights &weights) const
{
    double low = std::log(smallestScale);
    double high = std::log(largestScale);
    for (int round = 0; round < scaleRounds; ++round) {
        const double a = low + (high - low) / 3;
        const double b = high - (high - low) / 3;
        if (error(weights, std::exp(a)) < error(weights, std::exp(b)))
            high = b;
        else
            low = a;
    }
    return std::exp((low + high) / 2);
}

EvaluationFit::Weights EvaluationFit::fitWeights(Weights weights, double scale, int steps) const
{
    Weights moment{};
    Weights energy{};
    for (int step = 1; step <= steps; ++step) {
        Weights gradient{};
        for (const Sample &sample : samples) {
            const double p = expected(score(weights, sample.features), scale);
            const double slope = 2 * (p - sample.result) * p * (1 - p) * scale;
            for (std::size_t i = 0; i < weights.size(); ++i)
                gradient[i] += slope * sample.features[i];
        }
        for (std::size_t i = 0; i < weights.size(); ++i) {
            const double g = gradient[i] / double(samples.size());
            moment[i] = firstDecay * moment[i] + (1 - firstDecay) * g;
            energy[i] = secondDecay * energy[i] + (1 - secondDecay) * g * g;
            const double m = moment[i] / (1 - std::pow(firstDecay, step));
            const double v = energy[i] / (1 - std::pow(secondDecay, step));
            weights[i] -= learningRate * m / (std::sqrt(v) + tiny);
        }
    }
    return weights;
}
