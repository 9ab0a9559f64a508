#!/usr/bin/env python3
"""The baseline of the texture rows: what a modder's plain Pillow script does to turn a picture
into indexes of a game palette. It reads the PNG, halves it for each further mip-map level and
maps every level to the palette without dithering, REPEATS times, and prints the median seconds
of one conversion; "missing" when Pillow is not installed.

    pillow_quantise.py PICTURE.png COLORMAP.cmp LEVELS REPEATS
"""
import sys
import time

try:
    from PIL import Image
except ImportError:
    print("missing")
    sys.exit(0)

picture, colormap, levels, repeats = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
with open(colormap, "rb") as f:
    palette = Image.new("P", (1, 1))
    palette.putpalette(f.read()[64:64 + 768])


def convert():
    level = Image.open(picture).convert("RGB")
    indexes = []
    for k in range(levels):
        if k:
            level = level.reduce(2)
        indexes.append(level.quantize(palette=palette, dither=Image.Dither.NONE).tobytes())
    return b"".join(indexes)


times = []
for _ in range(repeats):
    start = time.perf_counter()
    convert()
    times.append(time.perf_counter() - start)
times.sort()
print(times[len(times) // 2])
