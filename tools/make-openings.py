#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the balanced start positions of the strength tables: every distinct
position after two moves of each side from the initial position, drawn with a
fixed seed, red to move, one per line as "<64 codes> r" (the records' Start form).
Usage: tools/make-openings.py COUNT SEED > openings.txt"""
import random
import sys

RED, BLACK = 4, 2


def moves(cells, stone):
    step = -1 if stone == RED else 1
    found = []
    for y in range(8):
        for x in range(8):
            if cells[y][x] != stone:
                continue
            ty = y + step
            if not 0 <= ty < 8:
                continue
            for dx in (0, -1, 1):
                tx = x + dx
                if not 0 <= tx < 8:
                    continue
                target = cells[ty][tx]
                if (dx == 0 and target == 0) or (dx != 0 and target != stone):
                    found.append((x, y, tx, ty))
    return found


def main():
    count, seed = int(sys.argv[1]), int(sys.argv[2])
    rng = random.Random(seed)
    seen = set()
    while len(seen) < count:
        cells = [[BLACK] * 8, [BLACK] * 8] + [[0] * 8 for _ in range(4)] + [[RED] * 8, [RED] * 8]
        for stone in (RED, BLACK, RED, BLACK):
            x, y, tx, ty = rng.choice(moves(cells, stone))
            cells[ty][tx], cells[y][x] = stone, 0
        text = "".join(f"{code} " for row in cells for code in row) + "r"
        if text not in seen:
            seen.add(text)
            print(text)


main()
