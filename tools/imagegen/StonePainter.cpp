// SPDX-License-Identifier: GPL-3.0-or-later
#include "StonePainter.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int samples = 4; // per pixel side, for the antialiased rim

struct Vec
{
    double x, y, z;
};

Vec normalised(const Vec &v)
{
    const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / n, v.y / n, v.z / n};
}

double dot(const Vec &a, const Vec &b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

const Vec light = normalised({-0.55, -0.65, 0.75});
const Vec halfway = normalised({light.x, light.y, light.z + 1.0});
constexpr double ambient = 0.45;
constexpr double diffuse = 0.75;
constexpr double shininess = 18.0;
constexpr double dome = 0.55; // height of the stone against its radius

double smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

int channel(double v)
{
    return std::clamp(int(std::lround(v)), 0, 255);
}

QColor blend(const QColor &under, const QColor &over, double coverage)
{
    const double a = coverage + under.alphaF() * (1 - coverage);
    if (a <= 0)
        return under;
    const auto mixChannel = [&](double o, double u) {
        return channel((o * coverage + u * under.alphaF() * (1 - coverage)) / a);
    };
    return QColor(mixChannel(over.red(), under.red()), mixChannel(over.green(), under.green()),
                  mixChannel(over.blue(), under.blue()), channel(a * 255));
}
} // namespace

StonePainter::StonePainter(const QColor &base, const QColor &highlight, double highlightStrength)
    : base(base), highlight(highlight), highlightStrength(highlightStrength)
{
}

QColor StonePainter::shade(double dx, double dy) const
{
    // Surface of a flattened dome: height dome * sqrt(1 - r^2).
    const double r2 = std::min(dx * dx + dy * dy, 0.999);
    const double slope = dome / std::sqrt(1 - r2);
    const Vec normal = normalised({dx * slope, dy * slope, 1.0});
    // Lighting relative to the centre, so the centre keeps the base colour.
    const double lit = (ambient + diffuse * std::max(0.0, dot(normal, light))) / (ambient + diffuse * light.z);
    const double atCentre = std::pow(halfway.z, shininess);
    const double gloss = std::max(0.0, std::pow(std::max(0.0, dot(normal, halfway)), shininess) - atCentre) / (1 - atCentre);
    const double h = highlightStrength * gloss;
    const auto mixChannel = [&](int b, int hl) { return channel(b * lit * (1 - h) + hl * h); };
    return QColor(mixChannel(base.red(), highlight.red()), mixChannel(base.green(), highlight.green()),
                  mixChannel(base.blue(), highlight.blue()));
}

void StonePainter::castShadow(QImage &image, const QPointF &centre, double radius) const
{
    const QPointF shadowCentre = centre + QPointF(radius * 0.08, radius * 0.12);
    const double softness = std::max(2.0, radius * 0.15);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double d = std::hypot(x + 0.5 - shadowCentre.x(), y + 0.5 - shadowCentre.y());
            const double darkness = 0.5 * (1 - smoothstep(radius - softness, radius + softness, d));
            if (darkness <= 0)
                continue;
            const QColor c = image.pixelColor(x, y);
            image.setPixelColor(x, y, QColor(channel(c.red() * (1 - darkness)), channel(c.green() * (1 - darkness)),
                                             channel(c.blue() * (1 - darkness)), c.alpha()));
        }
}

void StonePainter::paint(QImage &image, const QPointF &centre, double radius) const
{
    castShadow(image, centre, radius);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            double red = 0, green = 0, blue = 0;
            int inside = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx) {
                    const double dx = (x + (sx + 0.5) / samples - centre.x()) / radius;
                    const double dy = (y + (sy + 0.5) / samples - centre.y()) / radius;
                    if (dx * dx + dy * dy > 1)
                        continue;
                    const QColor c = shade(dx, dy);
                    red += c.red();
                    green += c.green();
                    blue += c.blue();
                    ++inside;
                }
            if (inside == 0)
                continue;
            const QColor stone(channel(red / inside), channel(green / inside), channel(blue / inside));
            image.setPixelColor(x, y, blend(image.pixelColor(x, y), stone, double(inside) / (samples * samples)));
        }
}
