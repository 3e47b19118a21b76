#!/usr/bin/env python3
"""Writes the main window's backdrop, a 256 x 256 PNG, to resources/quil.pct.

The picture is a pale blue-gray radial gradient centred on the drawing canvas,
with faint concentric rings. It stays light everywhere so that the dark
captions of the buttons below the canvas remain easy to read.

The output is deterministic: running the script again gives the same bytes.
Usage: tools/make_backdrop.py [output path]
"""

import math
import os
import struct
import sys
import zlib

SIZE = 256
# The centre of the canvas in the main window.
CENTRE_X, CENTRE_Y = 129.0, 88.0
RING_PERIOD = 14.0
RING_DEPTH = 2.5  # in levels of 0..255; enough to see, too faint to distract

INNER = (246, 248, 252)  # near white with a hint of blue
OUTER = (212, 220, 232)  # pale blue-gray at the corners


def pixel(x, y):
    dx, dy = x + 0.5 - CENTRE_X, y + 0.5 - CENTRE_Y
    distance = math.hypot(dx, dy)
    # Smoothstep from the centre out to the farthest corner.
    t = min(distance / 215.0, 1.0)
    t = t * t * (3.0 - 2.0 * t)
    ring = RING_DEPTH * math.cos(2.0 * math.pi * distance / RING_PERIOD) * (1.0 - 0.5 * t)
    return bytes(
        max(0, min(255, round(inner + (outer - inner) * t + ring)))
        for inner, outer in zip(INNER, OUTER)
    )


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filtered_rows(rows, bpp=3):
    """Filters each row with the PNG filter that leaves the smallest residues."""
    previous = bytes(len(rows[0]))
    for row in rows:
        candidates = []
        for kind in range(5):
            out = bytearray()
            for i, value in enumerate(row):
                left = row[i - bpp] if i >= bpp else 0
                up = previous[i]
                up_left = previous[i - bpp] if i >= bpp else 0
                predictor = (0, left, up, (left + up) // 2, paeth(left, up, up_left))[kind]
                out.append((value - predictor) & 0xFF)
            cost = sum(v if v < 128 else 256 - v for v in out)
            candidates.append((cost, kind, out))
        _, kind, out = min(candidates, key=lambda c: (c[0], c[1]))
        yield bytes([kind]) + bytes(out)
        previous = row


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(width, height, rows):
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)  # 8-bit RGB
    data = zlib.compress(b"".join(filtered_rows(rows)), 9)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", data) + chunk(b"IEND", b"")


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "quil.pct")
    rows = [b"".join(pixel(x, y) for x in range(SIZE)) for y in range(SIZE)]
    data = png(SIZE, SIZE, rows)
    with open(path, "wb") as f:
        f.write(data)
    print(f"wrote {path} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
