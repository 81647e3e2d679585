// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Noise.h"

#include <QImage>

// Procedural grey marble: a cloudy ground crossed by turbulent veins, lighter or
// darker than the ground, and a little grain.
class MarblePainter
{
public:
    struct Style
    {
        std::uint32_t seed;
        double meanGrey;  // mean qGray of the finished picture
        double cloud;     // depth of the cloudy variation of the ground
        double vein;      // change of level on a vein: < 0 dark veins, > 0 light veins
        int warmth;       // red raised and blue lowered by this much
    };

    explicit MarblePainter(const Style &style);

    // A size x size opaque picture; one board square spans 64 units, and unit is
    // the number of units per pixel (1 for a 64-pixel square).
    QImage paint(int size, double unit) const;

private:
    // Grey level around 0 before the mean is set.
    double level(double x, double y, int px, int py) const;

    Style style;
    Noise noise;
};
