#!/usr/bin/env python3
"""Draws the programs' icons (16, 32 and 48 pixels, 32-bit) and writes them as .ico files.

The icons are simple on purpose: a rounded tile in the program's colour with a
white memory bar that is partly filled. Run it again after changing a colour.
"""
import struct
import sys
from pathlib import Path

PROGRAMS = {
    "skelvane": (0x1F, 0x6F, 0xC8),          # monitor: blue
    "tray": (0x2E, 0x8B, 0x57),              # monitor's own tray/window icon: green
    "vardolin": (0xC8, 0x5A, 0x1F),          # cleaner: orange
    "remote_view": (0x6A, 0x3D, 0x9A),       # viewer: purple
    "saver": (0x20, 0x20, 0x30),             # screen saver: night blue
    "set_startup": (0x55, 0x6B, 0x2F),       # logon task tool: olive
}


def pixel(x, y, n, rgb):
    """Colour of one pixel of an n x n icon, as (b, g, r, a)."""
    r = n / 6.0
    # rounded-square mask
    cx = min(max(x + 0.5, r), n - r)
    cy = min(max(y + 0.5, r), n - r)
    if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 > r * r:
        return (0, 0, 0, 0)
    bar_top, bar_bottom = int(n * 0.40), int(n * 0.66)
    bar_left, bar_right = int(n * 0.16), n - int(n * 0.16)
    fill_right = bar_left + int((bar_right - bar_left) * 0.62)
    if bar_top <= y < bar_bottom and bar_left <= x < bar_right:
        if y in (bar_top, bar_bottom - 1) or x in (bar_left, bar_right - 1):
            return (255, 255, 255, 255)
        if x < fill_right:
            return (255, 255, 255, 255)
        return (rgb[2] // 2, rgb[1] // 2, rgb[0] // 2, 255)
    shade = 1.0 - 0.35 * y / n
    return (int(rgb[2] * shade), int(rgb[1] * shade), int(rgb[0] * shade), 255)


def image(n, rgb):
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in range(n - 1, -1, -1):  # bottom-up
        rows.append(b"".join(struct.pack("BBBB", *pixel(x, y, n, rgb)) for x in range(n)))
    mask_row = ((n + 31) // 32) * 4
    return header + b"".join(rows) + b"\0" * (mask_row * n)


def ico(rgb):
    sizes = (16, 32, 48)
    blobs = [image(n, rgb) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, blob in zip(sizes, blobs):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def main():
    out_dir = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "res" / "icons"
    out_dir.mkdir(parents=True, exist_ok=True)
    for name, rgb in PROGRAMS.items():
        (out_dir / f"{name}.ico").write_bytes(ico(rgb))


if __name__ == "__main__":
    main()
