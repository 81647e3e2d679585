// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Smooth value noise on an integer lattice, hashed from a fixed seed so that the
// same seed always draws the same texture on every machine.
class Noise
{
public:
    explicit Noise(std::uint32_t seed);

    // One octave, in [0, 1].
    double value(double x, double y) const;
    // Sum of octaves of halving amplitude and doubling frequency, in [0, 1].
    double fractal(double x, double y, int octaves) const;
    // Per-pixel grain in [0, 1], not smoothed.
    double grain(int x, int y) const;

private:
    double lattice(int x, int y) const;
    std::uint32_t hash(int x, int y) const;

    std::uint32_t seed;
};
