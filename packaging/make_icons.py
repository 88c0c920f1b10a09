#!/usr/bin/env python3
"""Makes the desktop icons from the program's own 32 x 32 XPM artwork.

Writes <out>/<size>x<size>/apps/<name>.png for every size given and
<out>/scalable/apps/<name>.svg, in the hicolor theme's folder layout. Uses
only the standard library: PNGs are written with zlib, sizes other than
32 are resampled by area averaging on premultiplied colours, so whole-number
enlargements keep the pixel art's hard edges.

    make_icons.py ICON.xpm OUT_DIR NAME SIZE...
"""
import re
import struct
import sys
import zlib
from pathlib import Path


def read_xpm(text):
    """The picture as rows of (r, g, b, a) tuples."""
    strings = re.findall(r'"((?:[^"\\]|\\.)*)"', text)
    if not strings:
        raise ValueError("no XPM strings")
    width, height, ncolours, cpp = (int(v) for v in strings[0].split()[:4])
    colours = {}
    for entry in strings[1:1 + ncolours]:
        key, fields = entry[:cpp], entry[cpp:].split()
        value = fields[fields.index("c") + 1]
        if value.lower() == "none":
            colours[key] = (0, 0, 0, 0)
        elif re.fullmatch(r"#[0-9A-Fa-f]{6}", value):
            colours[key] = (int(value[1:3], 16), int(value[3:5], 16), int(value[5:7], 16), 255)
        else:
            raise ValueError(f"colour {value!r} is not #RRGGBB or None")
    rows = strings[1 + ncolours:1 + ncolours + height]
    if len(rows) != height or any(len(r) != width * cpp for r in rows):
        raise ValueError("XPM rows do not match the header")
    return [[colours[r[x * cpp:(x + 1) * cpp]] for x in range(width)] for r in rows]


def resample(pixels, size):
    """Area-averages `pixels` onto a size x size grid."""
    src_h, src_w = len(pixels), len(pixels[0])
    out = []
    for ty in range(size):
        y0, y1 = ty * src_h / size, (ty + 1) * src_h / size
        row = []
        for tx in range(size):
            x0, x1 = tx * src_w / size, (tx + 1) * src_w / size
            acc = [0.0, 0.0, 0.0, 0.0]
            area = 0.0
            for sy in range(int(y0), min(src_h, int(-(-y1 // 1)))):
                wy = min(y1, sy + 1) - max(y0, sy)
                if wy <= 0:
                    continue
                for sx in range(int(x0), min(src_w, int(-(-x1 // 1)))):
                    wx = min(x1, sx + 1) - max(x0, sx)
                    if wx <= 0:
                        continue
                    r, g, b, a = pixels[sy][sx]
                    w = wx * wy
                    acc[0] += r * a * w
                    acc[1] += g * a * w
                    acc[2] += b * a * w
                    acc[3] += a * w
                    area += w
            alpha = acc[3] / area
            if acc[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(c / acc[3]) for c in acc[:3]) + (round(alpha),))
        out.append(row)
    return out


def png_bytes(pixels):
    """An 8-bit RGBA PNG of `pixels`."""
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def svg_text(pixels):
    """The picture as crisp squares, one rectangle per run of equal pixels."""
    height, width = len(pixels), len(pixels[0])
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
             f'viewBox="0 0 {width} {height}" shape-rendering="crispEdges">']
    for y, row in enumerate(pixels):
        x = 0
        while x < width:
            end = x
            while end < width and row[end] == row[x]:
                end += 1
            r, g, b, a = row[x]
            if a:
                parts.append(f'<rect x="{x}" y="{y}" width="{end - x}" height="1" '
                             f'fill="#{r:02x}{g:02x}{b:02x}"/>')
            x = end
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def main(argv):
    if len(argv) < 5:
        sys.exit(__doc__)
    pixels = read_xpm(Path(argv[1]).read_text(encoding="ascii"))
    out, name = Path(argv[2]), argv[3]
    for size in (int(s) for s in argv[4:]):
        folder = out / f"{size}x{size}" / "apps"
        folder.mkdir(parents=True, exist_ok=True)
        (folder / f"{name}.png").write_bytes(png_bytes(resample(pixels, size)))
    folder = out / "scalable" / "apps"
    folder.mkdir(parents=True, exist_ok=True)
    (folder / f"{name}.svg").write_text(svg_text(pixels), encoding="ascii")


if __name__ == "__main__":
    main(sys.argv)
