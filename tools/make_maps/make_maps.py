#!/usr/bin/python3
"""Turns the text drawings of the levels (levelN.txt here) into the map files the
game and the map editor read: ../../maps/mapN.tmx and ../../maps/mapN.dat.

A drawing starts with one line of ten numbers: creatures - 1, eggs to save, and the
uses of block, build, dig, tunnel, float, climb and explode, and an unused tenth.
Each following line is a row of 16x16 cells:

  .  empty          E  entrance      X  exit
  d  earth (grass grows on top)      s  sand (grass on top)
  r  rock (moss on top)              R  dark rock
  b  red brick      B  stone brick   v  violet brick   n  sandstone
  t  steel plate    T  plain steel   y  brass          k  dark steel
  i  ice crystal    a  amethyst      e  emerald        q  rose crystal
  w  planks         c  thin ledge (top 6 px)        M  marble         z  basalt
  f  basalt with embers              o  earth with gold

Shaped cells have empty space cut into them. Each is earth, rock or sand, taken
from its nearest solid neighbour (below, above, left, right, in that order;
through other shaped cells too): next to sand or sandstone it is sand, next to
earth or gold it is earth, next to anything else rock; with no solid neighbour
at all it is earth. Faces open to the sky grow grass.

  /  slope rising 16 px across the cell (left low, right high)
  \  slope falling 16 px across the cell
  1 2 3 4   a slope rising 4 px per cell: 1 2 3 4 in a row climb 16 px, so a
            row of them over flat ground leads up onto a full cell
  6 7 8 9   the same slope falling: 6 7 8 9 in a row go down 16 px
  ( )       a slope rising 8 px per cell: ( is the low half, ) the high half
  { }       a slope falling 8 px per cell: { the high half, } the low half
  u  U      rounded top corner: u on the left, U on the right (radius 8 px)
  H  h      rounded underside: H at the bottom left, h at the bottom right
  V         a hanging tip, full width at its top, a point at its bottom
  -         thin ledge, the top 4 px     ~  upper half, the top 8 px
  _         half step, the bottom 8 px   ,  low step, the bottom 2 px
  [  ]      half-width pillar: [ the left 8 px, ] the right 8 px
  ^         knoll: both top corners rounded

Eggs walk up and down steps of 1 or 2 px, so they climb and descend every slope
here, but a half step (8 px) or a thin ledge's edge (4 px) is a wall to them.

Run it after editing a drawing: python3 tools/make_maps/make_maps.py
(an optional argument names another folder to write the maps to).
"""
import glob
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
MAPS = os.path.normpath(os.path.join(HERE, "..", "..", "maps"))

ENTRANCE, EXIT = 111, 112
TILE_COUNT, TILESET_HEIGHT = 112, 238
# Shaped tiles: 26 shapes each of earth (from 31), rock (from 57) and sand (from 83).
SHAPES = "/\\12346789(){}uUHhV-~_[]^,"
FIRST_SHAPED = 31
EARTH, ROCK, SAND = 0, 1, 2
PLAIN = {"R": 10, "b": 13, "B": 14, "v": 15, "n": 16, "t": 17, "T": 18, "y": 19, "k": 20,
         "i": 21, "a": 22, "e": 23, "q": 24, "w": 25, "c": 26, "z": 29, "f": 30, "o": 8}
# Materials with a variant for a face open to the sky: (inside tiles, top tile).
LAYERED = {"d": ((2, 2, 2, 3), 1), "s": ((6,), 7), "r": ((9, 9, 12), 11), "M": ((27,), 28)}


def material_of(ch):
    if ch in "sn":
        return SAND
    if ch in "do":
        return EARTH
    return ROCK


def shaped_materials(rows):
    """The material of every shaped cell, {(x, y): material}."""
    h, w = len(rows), len(rows[0])
    shaped = [(x, y) for y in range(h) for x in range(w) if rows[y][x] in SHAPES]
    found = {}
    neighbours = ((0, 1), (0, -1), (-1, 0), (1, 0))
    while True:
        changed = False
        for x, y in shaped:
            if (x, y) in found:
                continue
            for dx, dy in neighbours:
                nx, ny = x + dx, y + dy
                if not (0 <= nx < w and 0 <= ny < h):
                    continue
                ch = rows[ny][nx]
                if ch in SHAPES:
                    if (nx, ny) in found:
                        found[(x, y)] = found[(nx, ny)]
                        break
                elif ch not in ".EX":
                    found[(x, y)] = material_of(ch)
                    break
            changed |= (x, y) in found
        if not changed:
            break
    return {cell: found.get(cell, EARTH) for cell in shaped}


def tile_for(rows, x, y, materials):
    ch = rows[y][x]
    if ch == ".":
        return 0
    if ch in SHAPES:
        return FIRST_SHAPED + 26 * materials[(x, y)] + SHAPES.index(ch)
    if ch == "E":
        return ENTRANCE
    if ch == "X":
        return EXIT
    if ch in PLAIN:
        return PLAIN[ch]
    if ch in LAYERED:
        inside, top = LAYERED[ch]
        if y == 0 or rows[y - 1][x] in ".EX":
            return top
        return inside[(x * 7 + y * 13) % len(inside)]
    raise ValueError(f"unknown cell '{ch}' at column {x + 1}, row {y + 1}")


def read_drawing(path):
    with open(path) as f:
        lines = [line.rstrip("\n") for line in f if line.strip() and not line.startswith("#")]
    values = [int(v) for v in re.split(r"[,\s]+", lines[0].strip())]
    if len(values) != 10:
        raise ValueError(f"{path}: the first line needs ten numbers")
    rows = lines[1:]
    width = max(len(r) for r in rows)
    rows = [r.ljust(width, ".") for r in rows]
    return values, rows


def tmx_text(rows):
    w, h = len(rows[0]), len(rows)
    materials = shaped_materials(rows)
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           f'<map version="1.8" tiledversion="1.8.2" orientation="orthogonal" renderorder="right-down" '
           f'width="{w}" height="{h}" tilewidth="16" tileheight="16" infinite="0" nextlayerid="2" nextobjectid="1">',
           ' <tileset firstgid="1" name="tiles" tilewidth="16" tileheight="16" spacing="1" '
           f'tilecount="{TILE_COUNT}" columns="8">',
           f'  <image source="tiles.png" trans="ff00ff" width="136" height="{TILESET_HEIGHT}"/>',
           ' </tileset>',
           f' <layer id="1" name="Ground" width="{w}" height="{h}">',
           '  <data encoding="csv">']
    for y in range(h):
        cells = ",".join(str(tile_for(rows, x, y, materials)) for x in range(w))
        out.append(cells + ("," if y < h - 1 else ""))
    out += ['</data>', ' </layer>', '</map>']
    return "\n".join(out) + "\n"


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else MAPS
    paths = sorted(glob.glob(os.path.join(HERE, "level*.txt")))
    for path in paths:
        number = re.search(r"level(\d+)\.txt$", path).group(1)
        values, rows = read_drawing(path)
        with open(os.path.join(out, f"map{number}.tmx"), "w") as f:
            f.write(tmx_text(rows))
        with open(os.path.join(out, f"map{number}.dat"), "w") as f:
            f.write(",".join(str(v) for v in values) + "\n")
        print(f"map{number}: {len(rows[0]) * 16} x {len(rows) * 16} px")
    return 0


if __name__ == "__main__":
    sys.exit(main())
