// SPDX-License-Identifier: GPL-3.0-or-later
#include "MarblePainter.h"

#include <QColor>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// 1 on the crest of a vein, falling off quickly on both sides.
double vein(double phase, double sharpness)
{
    return std::pow(1.0 - std::abs(std::sin(phase)), sharpness);
}

int clampLevel(double v)
{
    return std::clamp(int(std::lround(v)), 0, 255);
}
} // namespace

MarblePainter::MarblePainter(const Style &style)
    : style(style), noise(style.seed)
{
}

double MarblePainter::level(double x, double y, int px, int py) const
{
    const double cloud = noise.fractal(x / 40.0, y / 40.0, 4) - 0.5;
    const double turbulence = noise.fractal(x / 26.0 + 5.0, y / 26.0 - 3.0, 4);
    const double mainVein = vein(x * 0.045 + y * 0.075 + 6.0 * turbulence, 7.0);
    const double fineVein = vein(x * 0.11 - y * 0.05 + 5.0 * noise.fractal(y / 14.0, x / 14.0 + 9.0, 4), 14.0);
    const double grain = noise.grain(px, py) - 0.5;
    return style.cloud * cloud + style.vein * (mainVein + 0.45 * fineVein) + 6.0 * grain;
}

QImage MarblePainter::paint(int size, double unit) const
{
    std::vector<double> levels(std::size_t(size) * std::size_t(size));
    double sum = 0;
    for (int py = 0; py < size; ++py)
        for (int px = 0; px < size; ++px) {
            const double v = level((px + 0.5) * unit, (py + 0.5) * unit, px, py);
            levels[std::size_t(py) * std::size_t(size) + std::size_t(px)] = v;
            sum += v;
        }
    const double shift = style.meanGrey - sum / double(levels.size());

    QImage image(size, size, QImage::Format_RGB888);
    for (int py = 0; py < size; ++py)
        for (int px = 0; px < size; ++px) {
            const double v = levels[std::size_t(py) * std::size_t(size) + std::size_t(px)] + shift;
            image.setPixelColor(px, py, QColor(clampLevel(v + style.warmth), clampLevel(v), clampLevel(v - style.warmth)));
        }
    return image;
}
