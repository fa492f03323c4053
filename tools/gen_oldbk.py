#!/usr/bin/env python3
"""Writes dat/oldbk.jpg, the chart's antique background: aged paper in warm ochre tones.

Value noise in a few octaves gives the mottling, a slow horizontal fibre pattern the grain,
and darkened edges the age.  The image is written as PPM and encoded to JPEG with
ImageMagick's `convert` (quality 85).  Run by hand: python3 tools/gen_oldbk.py
"""
import math
import os
import random
import subprocess
import tempfile

W, H = 640, 460
random.seed(1985)


def grid(n):
    return [[random.random() for _ in range(n + 2)] for _ in range(n + 2)]


def smooth(t):
    return t * t * (3 - 2 * t)


def sample(g, n, x, y):
    fx, fy = x * n, y * n
    ix, iy = int(fx), int(fy)
    tx, ty = smooth(fx - ix), smooth(fy - iy)
    a = g[iy][ix] + (g[iy][ix + 1] - g[iy][ix]) * tx
    b = g[iy + 1][ix] + (g[iy + 1][ix + 1] - g[iy + 1][ix]) * tx
    return a + (b - a) * ty


octaves = [(4, 0.5), (9, 0.25), (23, 0.15), (61, 0.1)]
grids = [(grid(n), n, w) for n, w in octaves]
fibres = [random.uniform(-1, 1) for _ in range(H)]

rows = bytearray()
for py in range(H):
    y = py / H
    for px in range(W):
        x = px / W
        v = sum(sample(g, n, x, y) * w for g, n, w in grids)  # 0 … 1
        fibre = fibres[py] * 0.03 + math.sin(px * 0.9 + py * 0.05) * 0.01
        edge = min(x, 1 - x, y, 1 - y)
        age = 1.0 - 0.35 * max(0.0, 1 - edge / 0.12) ** 2
        shade = (0.82 + 0.22 * (v - 0.5) + fibre + random.uniform(-0.02, 0.02)) * age
        r, g, b = 236 * shade, 206 * shade, 150 * shade
        rows += bytes(max(0, min(255, int(c))) for c in (r, g, b))

here = os.path.dirname(os.path.abspath(__file__))
out = os.path.join(here, "..", "dat", "oldbk.jpg")
with tempfile.NamedTemporaryFile(suffix=".ppm", delete=False) as f:
    f.write(b"P6 %d %d 255\n" % (W, H) + bytes(rows))
    ppm = f.name
subprocess.run(["convert", ppm, "-strip", "-quality", "85", out], check=True)
os.unlink(ppm)
