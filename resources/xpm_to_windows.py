#!/usr/bin/env python3
"""Turns the project's XPM artwork into the Windows resource files.

  xpm_to_windows.py ico INPUT.xpm OUTPUT.ico   32 x 32 icon, 16 colours, mask
  xpm_to_windows.py bmp INPUT.xpm OUTPUT.bmp   4-bit bitmap, no transparency

Standard library only; the build runs it and writes into the build tree.
Transparent pixels ("None") become palette entry 0 with the mask bit set in
an icon, and white in a bitmap.
"""
import re
import struct
import sys


def read_xpm(path):
    """Width, height, rows of palette indices, palette of (r, g, b), and the
    index that stands for transparent (or None)."""
    with open(path, encoding="ascii") as handle:
        strings = re.findall(r'"([^"]*)"', handle.read())
    width, height, ncolours, cpp = (int(v) for v in strings[0].split()[:4])
    palette = []
    index_of = {}
    transparent = None
    for line in strings[1:1 + ncolours]:
        key, rest = line[:cpp], line[cpp:].split()
        value = rest[rest.index("c") + 1]
        if value.lower() == "none":
            transparent = len(palette)
            palette.append((0, 0, 0))
        else:
            palette.append(tuple(int(value[i:i + 2], 16) for i in (1, 3, 5)))
        index_of[key] = len(palette) - 1
    if len(palette) > 16:
        raise SystemExit(f"{path}: {len(palette)} colours, a 4-bit picture holds 16")
    rows = []
    for line in strings[1 + ncolours:1 + ncolours + height]:
        rows.append([index_of[line[x * cpp:(x + 1) * cpp]] for x in range(width)])
    if len(rows) != height or any(len(r) != width for r in rows):
        raise SystemExit(f"{path}: pixel rows do not match {width} x {height}")
    return width, height, rows, palette, transparent


def pack_rows(rows, width, bits, value):
    """Bottom-up rows of `bits` per pixel, each padded to 4 bytes."""
    stride = (width * bits + 31) // 32 * 4
    out = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, pixel in enumerate(row):
            v = value(pixel)
            bit = x * bits
            line[bit // 8] |= v << (8 - bits - bit % 8)
        out += line
    return bytes(out)


def dib(width, height, rows, palette, mask_height_factor, colour_of):
    header = struct.pack("<IiiHHIIiiII", 40, width, height * mask_height_factor, 1, 4, 0,
                         0, 0, 0, 16, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    colours += b"\0\0\0\0" * (16 - len(palette))
    return header + colours + pack_rows(rows, width, 4, colour_of)


def make_ico(width, height, rows, palette, transparent):
    image = dib(width, height, rows, palette, 2, lambda p: 0 if p == transparent else p)
    image += pack_rows(rows, width, 1, lambda p: 1 if p == transparent else 0)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4, len(image), 22)
    return directory + entry + image


def make_bmp(width, height, rows, palette, transparent):
    if transparent is not None:
        palette = list(palette)
        palette[transparent] = (255, 255, 255)
    image = dib(width, height, rows, palette, 1, lambda p: p)
    offset = 14 + 40 + 16 * 4
    return struct.pack("<2sIHHI", b"BM", 14 + len(image), 0, 0, offset) + image


def main(argv):
    if len(argv) != 4 or argv[1] not in ("ico", "bmp"):
        raise SystemExit(__doc__)
    picture = read_xpm(argv[2])
    data = make_ico(*picture) if argv[1] == "ico" else make_bmp(*picture)
    with open(argv[3], "wb") as handle:
        handle.write(data)


if __name__ == "__main__":
    main(sys.argv)
