#!/usr/bin/env python3
"""Prints the figures of a level map text picture ('#' wall, anything else
free) and, with --check, compares them with the figures the shipped map must
meet (exit status 1 on any mismatch).

The outlines are traced the way the engine traces them (corner table in x,
then y order; nearest corner along the direction, lowest number on ties), so
the corner counts printed here are the engine's.
"""
import sys
from collections import Counter

EXPECTED = {
    "size": (60, 39),
    "walls": 868,
    "free": 1472,
    "rectangles": 171,
    "corners": 184,
    "outlines": 24,
    "outline_corners": {4: 11, 6: 3, 8: 3, 10: 3, 12: 2, 16: 1, 28: 1},
    "diagonal_touches": 0,
    "free_regions": 1,
    "wall_holes": 0,
    "walled_points": 592,
    "open_points": 1848,
}


def load(path):
    with open(path, encoding="ascii") as f:
        lines = f.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    w = max((len(l) for l in lines), default=0)
    return [[c == "#" for c in l.ljust(w)] for l in lines], w, len(lines)


def wall(g, w, h, x, y, outside):
    if 0 <= x < w and 0 <= y < h:
        return g[y][x]
    return outside


def rectangles(g, w, h):
    n = 0
    for y in range(h):
        for x in range(w):
            if g[y][x] and (x == 0 or not g[y][x - 1]):
                n += 1
    return n


def corner_table(g, w, h):
    table = []
    for x in range(w + 1):
        for y in range(h + 1):
            cells = [wall(g, w, h, x - 1, y - 1, False), wall(g, w, h, x - 1, y, False),
                     wall(g, w, h, x, y - 1, False), wall(g, w, h, x, y, False)]
            n = sum(cells)
            if n in (1, 3):
                odd = cells.index(n == 1)
                dx, dy = [(-1, -1), (-1, 1), (1, -1), (1, 1)][odd]
                table.append([x, y, dx, dy, False])
    return table


def trace(table):
    outlines = []
    while True:
        s = next((i for i, r in enumerate(table) if not r[4]), None)
        if s is None:
            return outlines
        pts = []
        dirx, diry = table[s][2], 0
        while not table[s][4]:
            pts.append((table[s][0], table[s][1]))
            table[s][4] = True
            best, bm = 1000000, None
            for m, r in enumerate(table):
                tx, ty = r[0] - table[s][0], r[1] - table[s][1]
                if dirx * ty == diry * tx and dirx * tx >= 0 and diry * ty >= 0 and (tx, ty) != (0, 0):
                    d = abs(tx) + abs(ty)
                    if d < best:
                        best, bm = d, m
            if bm is None:
                raise RuntimeError("err #21")
            if dirx != 0:
                dirx, diry = 0, table[bm][3]
            else:
                dirx, diry = table[bm][2], 0
            s = bm
        outlines.append(pts)


def regions(g, w, h, value):
    """4-connected regions of cells equal to value, as lists of cells."""
    seen = [[False] * w for _ in range(h)]
    out = []
    for y in range(h):
        for x in range(w):
            if g[y][x] == value and not seen[y][x]:
                stack, cells = [(x, y)], []
                seen[y][x] = True
                while stack:
                    cx, cy = stack.pop()
                    cells.append((cx, cy))
                    for nx, ny in ((cx + 1, cy), (cx - 1, cy), (cx, cy + 1), (cx, cy - 1)):
                        if 0 <= nx < w and 0 <= ny < h and g[ny][nx] == value and not seen[ny][nx]:
                            seen[ny][nx] = True
                            stack.append((nx, ny))
                out.append(cells)
    return out


def wall_holes(g, w, h):
    """Free regions that touch no border cell: enclosed by walls."""
    return sum(1 for r in regions(g, w, h, False)
               if not any(x in (0, w - 1) or y in (0, h - 1) for x, y in r))


def figures(g, w, h):
    f = {"size": (w, h)}
    f["walls"] = sum(map(sum, g))
    f["free"] = w * h - f["walls"]
    f["rectangles"] = rectangles(g, w, h)
    table = corner_table(g, w, h)
    f["corners"] = len(table)
    outl = trace(table)
    f["outlines"] = len(outl)
    f["outline_corners"] = dict(sorted(Counter(len(o) for o in outl).items()))
    f["diagonal_touches"] = sum(
        1 for y in range(h - 1) for x in range(w - 1)
        if g[y][x] == g[y + 1][x + 1] and g[y][x + 1] == g[y + 1][x] and g[y][x] != g[y][x + 1])
    f["free_regions"] = len(regions(g, w, h, False))
    f["wall_regions"] = len(regions(g, w, h, True))
    f["wall_holes"] = wall_holes(g, w, h)
    f["walled_points"] = sum(
        1 for x in range(w + 1) for y in range(h + 1)
        if all(wall(g, w, h, cx, cy, True) for cx, cy in ((x - 1, y - 1), (x - 1, y), (x, y - 1), (x, y))))
    f["open_points"] = (w + 1) * (h + 1) - f["walled_points"]
    return f


def main(argv):
    check = "--check" in argv
    paths = [a for a in argv[1:] if a != "--check"]
    if len(paths) != 1:
        print("usage: map_figures.py [--check] MAP.txt", file=sys.stderr)
        return 2
    g, w, h = load(paths[0])
    f = figures(g, w, h)
    bad = 0
    for k, v in f.items():
        mark = ""
        if check and k in EXPECTED and EXPECTED[k] != v:
            mark = "   <-- expected %s" % (EXPECTED[k],)
            bad += 1
        print("%-17s %s%s" % (k, v, mark))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
