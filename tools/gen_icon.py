#!/usr/bin/env python3
"""Writes the program's icon: packaging/icons/taiyi.svg and its PNG renderings.

The icon is a Taiyi star disc seen from above: an ink-blue disc with a gold rim, the sixteen
directions as spokes between two rings, the eight outer palaces as pale stars and the
bright Taiyi star in the centre.  Fine lines are left out of the small sizes by drawing them
into a blur at 16 px, so the sizes up to 24 px are drawn from a plainer disc: a thicker rim
and a larger centre star, without spokes and palace stars.

Run by hand after a change:  python3 tools/gen_icon.py
(the PNGs need rsvg-convert, Debian's librsvg2-bin).
"""
import math
import pathlib
import subprocess
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUT = ROOT / "packaging" / "icons"
SIZES = (16, 22, 24, 32, 48, 64, 128, 256)

INK = "#1b2a4e"
INK_LIGHT = "#2f4677"
GOLD = "#e0aa3e"
CREAM = "#f6ead0"
C = 128.0  # the canvas is 256 units; every coordinate is relative to its centre


def star(cx, cy, outer, inner, points, rotation=-90.0):
    """Path of a star polygon with the given number of points."""
    coords = []
    for i in range(points * 2):
        r = outer if i % 2 == 0 else inner
        a = math.radians(rotation + i * 180.0 / points)
        coords.append(f"{cx + r * math.cos(a):.2f},{cy + r * math.sin(a):.2f}")
    return "M" + " L".join(coords) + " Z"


def svg(small=False):
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
        "  <title>墨衡太乙神数</title>",
        "  <defs>",
        '    <radialGradient id="disc" cx="50%" cy="42%" r="60%">',
        f'      <stop offset="0" stop-color="{INK_LIGHT}"/>',
        f'      <stop offset="1" stop-color="{INK}"/>',
        "    </radialGradient>",
        "  </defs>",
        f'  <circle cx="{C}" cy="{C}" r="120" fill="url(#disc)"/>',
        f'  <circle cx="{C}" cy="{C}" r="{108 if small else 114}" fill="none" stroke="{GOLD}" '
        f'stroke-width="{24 if small else 11}"/>',
    ]
    if small:
        parts.append(f'  <path d="{star(C, C, 84, 30, 8, -90.0)}" fill="{GOLD}"/>')
        parts.append(f'  <circle cx="{C}" cy="{C}" r="22" fill="{CREAM}"/>')
        parts.append("</svg>")
        return "\n".join(parts) + "\n"
    parts.append(f'  <circle cx="{C}" cy="{C}" r="52" fill="none" stroke="{GOLD}" stroke-width="5"/>')
    # The sixteen directions: spokes from the inner ring to the rim.
    for i in range(16):
        a = math.radians(i * 22.5 + 11.25)
        x1, y1 = C + 52 * math.cos(a), C + 52 * math.sin(a)
        x2, y2 = C + 109 * math.cos(a), C + 109 * math.sin(a)
        parts.append(
            f'  <line x1="{x1:.2f}" y1="{y1:.2f}" x2="{x2:.2f}" y2="{y2:.2f}" '
            f'stroke="{GOLD}" stroke-width="2.5" stroke-opacity="0.75"/>'
        )
    # The eight outer palaces: small four-pointed stars on the middle of the ring.
    for i in range(8):
        a = math.radians(i * 45.0 - 90.0)
        x, y = C + 81 * math.cos(a), C + 81 * math.sin(a)
        parts.append(f'  <path d="{star(x, y, 13, 4.5, 4)}" fill="{CREAM}"/>')
    # The centre: the Taiyi star.
    parts.append(f'  <circle cx="{C}" cy="{C}" r="44" fill="{INK}"/>')
    parts.append(f'  <path d="{star(C, C, 40, 15, 8, -90.0)}" fill="{GOLD}"/>')
    parts.append(f'  <circle cx="{C}" cy="{C}" r="10" fill="{CREAM}"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    source = OUT / "taiyi.svg"
    source.write_text(svg(), encoding="utf-8")
    with tempfile.TemporaryDirectory() as tmp:
        small = pathlib.Path(tmp) / "taiyi-small.svg"
        small.write_text(svg(small=True), encoding="utf-8")
        render(source, small)


def render(source, small):
    for size in SIZES:
        subprocess.run(
            ["rsvg-convert", "-w", str(size), "-h", str(size), "-o",
             str(OUT / f"taiyi-{size}.png"), str(small if size <= 24 else source)],
            check=True,
        )


if __name__ == "__main__":
    main()
