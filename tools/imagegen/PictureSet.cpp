// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureSet.h"

#include "IconPainter.h"
#include "MarblePainter.h"
#include "StonePainter.h"

#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {
constexpr int squareSize = 64;
constexpr double stoneRadius = 25.5;
constexpr double smallStoneRadius = 13.0;

const MarblePainter lightMarble({0x5eed0001u, 194, 26, -62, 2});
const MarblePainter darkMarble({0x5eed0002u, 92, 22, 70, 1});

const StonePainter redStone(QColor(255, 68, 68), QColor(255, 235, 230), 0.75);
const StonePainter blackStone(QColor(30, 30, 34), QColor(215, 220, 230), 0.55);

QImage stoneOn(const QImage &square, const StonePainter &stone, double radius)
{
    QImage image = square;
    stone.paint(image, QPointF(squareSize / 2.0, squareSize / 2.0), radius);
    return image;
}

// The application icon is drawn for 256 pixels; desktops (the hicolor theme) also
// look for these smaller sizes.
constexpr int appIconReference = 256;
constexpr int appIconSmallSizes[] = {16, 32, 48, 64, 128};

// Two marble squares of each colour in a checker, cut to a rounded square.
QImage appIconBackground(int size)
{
    const int half = size / 2;
    const double unit = double(squareSize) / half;
    const QImage light = lightMarble.paint(half, unit);
    const QImage dark = darkMarble.paint(half, unit);
    QImage board(size, size, QImage::Format_ARGB32);
    board.fill(Qt::transparent);
    QPainter painter(&board);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath rounded;
    const double margin = size / 64.0;
    rounded.addRoundedRect(QRectF(margin, margin, size - 2 * margin, size - 2 * margin), size * 0.12, size * 0.12);
    painter.setClipPath(rounded);
    painter.drawImage(0, 0, light);
    painter.drawImage(half, 0, dark);
    painter.drawImage(0, half, dark);
    painter.drawImage(half, half, light);
    return board;
}
} // namespace

PictureSet::PictureSet(const QDir &root)
    : root(root)
{
}

bool PictureSet::write(const QImage &image, const QString &path, const char *format) const
{
    const QString file = root.filePath(path);
    if (!QDir().mkpath(QFileInfo(file).path()) || !image.save(file, format)) {
        std::fprintf(stderr, "zarvik-imagegen: cannot write %s\n", qPrintable(file));
        return false;
    }
    return true;
}

bool PictureSet::writeIcons() const
{
    return write(IconPainter::start(), "icons/Start-icon-16.png", "PNG")
        && write(IconPainter::open(), "icons/Open.png", "PNG")
        && write(IconPainter::save(), "icons/human_folder_cd.png", "PNG")
        && write(IconPainter::exit(), "icons/exit.png", "PNG");
}

bool PictureSet::writeSquares() const
{
    const QImage light = lightMarble.paint(squareSize, 1.0);
    const QImage dark = darkMarble.paint(squareSize, 1.0);
    const QString dir = "images/Images/";
    return write(light, dir + "LITEMARB.BMP", "BMP")
        && write(dark, dir + "DARKMARB.BMP", "BMP")
        && write(stoneOn(dark, blackStone, stoneRadius), dir + "blackStoneOnDark.bmp", "BMP")
        && write(stoneOn(light, blackStone, stoneRadius), dir + "blackStoneOnWhite.bmp", "BMP")
        && write(stoneOn(dark, redStone, stoneRadius), dir + "redStoneOnDark.bmp", "BMP")
        && write(stoneOn(light, redStone, stoneRadius), dir + "redStoneOnWhite.bmp", "BMP")
        && write(stoneOn(dark, blackStone, smallStoneRadius), dir + "smallBlackStoneOnDark.bmp", "BMP")
        && write(stoneOn(light, blackStone, smallStoneRadius), dir + "smallBlackStoneOnWhite.bmp", "BMP")
        && write(stoneOn(dark, redStone, smallStoneRadius), dir + "smallRedStoneOnDark.bmp", "BMP")
        && write(stoneOn(light, redStone, smallStoneRadius), dir + "smallRedStoneOnWhite.bmp", "BMP");
}

// A black and a red stone on the board, drawn at each size rather than scaled
// down, so that the small icons stay sharp.
QImage PictureSet::appIcon(int size)
{
    const double scale = double(size) / appIconReference;
    QImage icon = appIconBackground(size);
    blackStone.paint(icon, QPointF(98, 98) * scale, 66 * scale);
    redStone.paint(icon, QPointF(160, 160) * scale, 66 * scale);
    return icon;
}

// The largest icon is also the window's, in the resource file.
bool PictureSet::writeAppIcon() const
{
    for (int size : appIconSmallSizes)
        if (!write(appIcon(size), QStringLiteral("icons/hicolor/%1x%1/zarvik.png").arg(size), "PNG"))
            return false;
    return write(appIcon(appIconReference), "icons/zarvik.png", "PNG");
}

bool PictureSet::writeAll() const
{
    return writeIcons() && writeSquares() && writeAppIcon();
}
