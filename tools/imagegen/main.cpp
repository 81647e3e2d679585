// SPDX-License-Identifier: GPL-3.0-or-later
// zarvik-imagegen OUTDIR: draws the program's pictures and icons under OUTDIR.
// The drawing is deterministic, so running it again reproduces the same files.
#include "PictureSet.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: zarvik-imagegen OUTDIR\n");
        return 2;
    }
    return PictureSet(QDir(QString::fromLocal8Bit(argv[1]))).writeAll() ? 0 : 1;
}
