// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// The 16 x 16 tool button icons, drawn on whole and half pixels so that their
// edges stay crisp at their real size.
class IconPainter
{
public:
    static QImage start();  // green "play" triangle
    static QImage open();   // an opening folder with a sheet in it
    static QImage save();   // a folder with a disc in front
    static QImage exit();   // a door with an arrow leaving it

private:
    static QImage blank();
};
