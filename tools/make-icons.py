#!/usr/bin/env python3
"""Draws the Plaxen application icon (a red chip on a corner of the board) at
16, 32 and 48 pixels, writes the PNGs to app/icons/ and the same bytes as
C++ arrays to app/IconData.cpp. Needs nothing beyond the standard library.
Run from the top of the source tree; commit what it writes."""

import math
import struct
import zlib

SIZES = (16, 32, 48)
SUPERSAMPLE = 4

DARK = (92, 52, 30)
LIGHT = (226, 200, 150)
RIM = (120, 10, 14)
CHIP = (204, 30, 34)
RING = (236, 90, 80)
FRAME = (60, 34, 20)


def colour_at(x, y):
    """Colour and coverage at a point of the unit square (y downward)."""
    # Chip: a disc with a darker rim and a lighter ring inside.
    cx, cy, r = 0.52, 0.50, 0.36
    d = math.hypot(x - cx, y - cy)
    if d <= r:
        if d > r * 0.86:
            return RIM
        if r * 0.55 < d < r * 0.66:
            return RING
        return CHIP
    # Soft shadow below right of the chip.
    shadow = math.hypot(x - cx - 0.05, y - cy - 0.06) <= r
    # Board: 4 x 4 squares inside a thin frame.
    if x < 0.04 or y < 0.04 or x > 0.96 or y > 0.96:
        return FRAME
    col = int((x - 0.04) / 0.23)
    row = int((y - 0.04) / 0.23)
    base = DARK if (col + row) % 2 == 0 else LIGHT
    if shadow:
        base = tuple(int(c * 0.6) for c in base)
    return base


def render(size):
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = bytearray()
        for px in range(size):
            acc = [0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    c = colour_at((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    for i in range(3):
                        acc[i] += c[i]
            row += bytes(round(a / (n * n)) for a in acc) + b"\xff"
        rows.append(bytes(row))
    return rows


def png(size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + r for r in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    files = {}
    for size in SIZES:
        data = png(size, render(size))
        with open(f"app/icons/plaxen-{size}.png", "wb") as f:
            f.write(data)
        files[size] = data
    out = ["// Written by tools/make-icons.py; do not edit.", "// clang-format off", '#include "app/IconData.h"', ""]
    for size, data in files.items():
        out.append(f"const unsigned char kIconPng{size}[] = {{")
        for i in range(0, len(data), 16):
            out.append("    " + ", ".join(f"0x{b:02x}" for b in data[i:i + 16]) + ",")
        out.append("};")
        out.append(f"const unsigned kIconPng{size}Size = sizeof(kIconPng{size});")
        out.append("")
    with open("app/IconData.cpp", "w") as f:
        f.write("\n".join(out))


if __name__ == "__main__":
    main()
