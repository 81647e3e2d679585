// SPDX-License-Identifier: GPL-3.0-or-later
#include "Noise.h"

#include <cmath>

namespace {
double fade(double t)
{
    return t * t * t * (t * (t * 6 - 15) + 10);
}

double mix(double a, double b, double t)
{
    return a + (b - a) * t;
}
} // namespace

Noise::Noise(std::uint32_t seed)
    : seed(seed)
{
}

// Integer mixing with good avalanche, so neighbouring lattice points are unrelated.
std::uint32_t Noise::hash(int x, int y) const
{
    std::uint32_t h = seed ^ (std::uint32_t(x) * 0x27d4eb2du) ^ (std::uint32_t(y) * 0x165667b1u);
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}

double Noise::lattice(int x, int y) const
{
    return double(hash(x, y) & 0xffffffu) / double(0xffffffu);
}

double Noise::value(double x, double y) const
{
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = int(fx);
    const int iy = int(fy);
    const double tx = fade(x - fx);
    const double ty = fade(y - fy);
    const double top = mix(lattice(ix, iy), lattice(ix + 1, iy), tx);
    const double bottom = mix(lattice(ix, iy + 1), lattice(ix + 1, iy + 1), tx);
    return mix(top, bottom, ty);
}

double Noise::fractal(double x, double y, int octaves) const
{
    double sum = 0;
    double amplitude = 1;
    double total = 0;
    for (int i = 0; i < octaves; ++i) {
        // Offsetting each octave keeps lattice points of the octaves from lining up.
        sum += amplitude * value(x + 17.3 * i, y - 9.1 * i);
        total += amplitude;
        amplitude *= 0.5;
        x *= 2;
        y *= 2;
    }
    return sum / total;
}

double Noise::grain(int x, int y) const
{
    return lattice(x + 7919, y - 104729);
}
