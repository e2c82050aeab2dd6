#!/usr/bin/env python3
"""Makes the application icon: resources/icons/quorrel-<size>.png.

A blue rounded square with white crop corners (a chosen screen area) around
a camera lens whose six aperture blades leave a light hexagon open, and a red
dot in the upper right corner (a corner taken). Drawn point by point with
4 x 4 samples per pixel for smooth edges, written as 8-bit RGBA PNG with zlib
alone. Deterministic: the same files every run.
"""
import math
import struct
import sys
import zlib
from pathlib import Path

SIZES = (16, 24, 32, 48, 64, 128, 256)
SAMPLES = 4

BACK_TOP = (0x2a, 0x6c, 0xc0)
BACK_BOTTOM = (0x16, 0x3d, 0x7a)
WHITE = (0xf4, 0xf7, 0xfb)
RING = (0xd9, 0xe2, 0xee)
BLADE_DARK = (0x1b, 0x22, 0x30)
BLADE_LIGHT = (0x2c, 0x36, 0x4a)
OPENING = (0x6f, 0xd3, 0xf7)
RED = (0xe5, 0x2b, 0x2b)

CENTRE = (0.5, 0.53)


def in_rounded_square(x, y, margin=0.04, radius=0.18):
    lo, hi = margin, 1.0 - margin
    if x < lo or x > hi or y < lo or y > hi:
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def in_crop_corner(x, y):
    """Four L-shaped marks, as a selection frame draws its corners."""
    lo, hi, arm, width = 0.14, 0.86, 0.17, 0.055
    for cx, dx in ((lo, 1), (hi, -1)):
        for cy, dy in ((lo, 1), (hi, -1)):
            ux, uy = (x - cx) * dx, (y - cy) * dy
            if 0 <= ux <= arm and 0 <= uy <= width:
                return True
            if 0 <= uy <= arm and 0 <= ux <= width:
                return True
    return False


def hexagon_radius(angle, r):
    """Distance from the centre to a regular hexagon's edge at this angle."""
    sector = math.pi / 3
    a = (angle % sector) - sector / 2
    return r * math.cos(sector / 2) / math.cos(a)


def colour_at(x, y):
    """The colour (r, g, b) of the point, or None outside the icon."""
    if not in_rounded_square(x, y):
        return None
    t = y
    c = tuple(round(BACK_TOP[i] + (BACK_BOTTOM[i] - BACK_TOP[i]) * t) for i in range(3))
    if in_crop_corner(x, y):
        c = WHITE
    dx, dy = x - CENTRE[0], y - CENTRE[1]
    d = math.hypot(dx, dy)
    if d <= 0.27:
        c = RING
    if d <= 0.225:
        angle = math.atan2(dy, dx)
        # The blades turn a little towards the rim, as an iris does.
        blade = int(((angle + d * 3.0) % (2 * math.pi)) / (math.pi / 3))
        c = BLADE_DARK if blade % 2 == 0 else BLADE_LIGHT
        if d <= hexagon_radius(angle + 0.3, 0.095):
            c = OPENING
            # A highlight on the glass.
            if math.hypot(x - 0.475, y - 0.505) <= 0.025:
                c = WHITE
    if math.hypot(x - 0.80, y - 0.22) <= 0.055:
        c = RED
    return c


def render(size):
    rows = []
    n = SAMPLES
    for py in range(size):
        row = bytearray()
        for px in range(size):
            r = g = b = a = 0
            for sy in range(n):
                for sx in range(n):
                    c = colour_at((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if c is not None:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                        a += 1
            if a:
                row += bytes((round(r / a), round(g / a), round(b / a), round(255 * a / (n * n))))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def png(size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources" / "icons"
    out.mkdir(parents=True, exist_ok=True)
    for size in SIZES:
        (out / f"quorrel-{size}.png").write_bytes(png(size, render(size)))


if __name__ == "__main__":
    main()
