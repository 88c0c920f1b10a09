#!/usr/bin/env python3
"""Draws the program icon and the maker's logo as 16-colour XPM files.

Everything is drawn from simple geometry (segments, discs, rectangles) so
the pictures can be regenerated and changed here rather than in a paint
program. Run from this folder: python3 make_artwork.py
"""
import math

# The sixteen colours of the classic 4-bit palette; "." is transparent.
PALETTE = {
    "k": "#000000", "m": "#800000", "g": "#008000", "o": "#808000",
    "n": "#000080", "p": "#800080", "t": "#008080", "s": "#C0C0C0",
    "d": "#808080", "r": "#FF0000", "l": "#00FF00", "y": "#FFFF00",
    "b": "#0000FF", "f": "#FF00FF", "a": "#00FFFF", "w": "#FFFFFF",
}


class Canvas:
    def __init__(self, width, height, fill="."):
        self.w, self.h = width, height
        self.px = [[fill] * width for _ in range(height)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        """Fills x0..x1-1 by y0..y1-1."""
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1):
            self.set(x, y0, c)
            self.set(x, y1 - 1, c)
        for y in range(y0, y1):
            self.set(x0, y, c)
            self.set(x1 - 1, y, c)

    def stroke(self, ax, ay, bx, by, half, c):
        """A segment of half-width `half`, by pixel-centre distance."""
        for y in range(self.h):
            for x in range(self.w):
                if seg_dist(x + 0.5, y + 0.5, ax, ay, bx, by) <= half:
                    self.px[y][x] = c

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if math.hypot(x + 0.5 - cx, y + 0.5 - cy) <= r:
                    self.px[y][x] = c

    def polygon(self, pts, c):
        for y in range(self.h):
            for x in range(self.w):
                if inside(x + 0.5, y + 0.5, pts):
                    self.px[y][x] = c

    def write_xpm(self, path, name):
        used = sorted({c for row in self.px for c in row})
        lines = ["/* XPM */", f"static const char *{name}[] = {{",
                 f'"{self.w} {self.h} {len(used)} 1",']
        for c in used:
            value = "None" if c == "." else PALETTE[c]
            lines.append(f'"{c} c {value}",')
        rows = ['"' + "".join(r) + '"' for r in self.px]
        lines.append(",\n".join(rows))
        lines.append("};")
        with open(path, "w") as f:
            f.write("\n".join(lines) + "\n")


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0 if length2 == 0 else max(0, min(1, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def inside(x, y, pts):
    result = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


def draw_icon():
    """A pipette drawing a colour out of a 3 x 3 grid of swatches."""
    c = Canvas(32, 32)
    cells = ["r", "y", "l", "f", "w", "a", "b", "t", "o"]
    for i, colour in enumerate(cells):
        x = 1 + (i % 3) * 7
        y = 10 + (i // 3) * 7
        c.rect(x, y, x + 8, y + 8, "k")
        c.rect(x + 1, y + 1, x + 7, y + 7, colour)
    # The pipette: outline first, then the glass and the drop of colour.
    c.stroke(27.0, 5.0, 13.0, 19.0, 2.6, "k")
    c.stroke(13.0, 19.0, 10.0, 22.0, 1.6, "k")
    c.stroke(26.5, 5.5, 13.5, 18.5, 1.4, "w")
    c.stroke(21.0, 11.0, 13.5, 18.5, 1.4, "a")
    c.stroke(13.0, 19.0, 11.0, 21.0, 0.6, "s")
    # The rubber bulb.
    c.disc(27.5, 4.5, 4.2, "k")
    c.disc(27.5, 4.5, 3.2, "m")
    c.disc(26.6, 3.4, 1.0, "r")
    # The drawn colour hangs at the tip.
    c.set(10, 22, "a")
    return c


# Stroke glyphs of the wordmark in a box 9 wide; cap height 15, x-height 10,
# baseline at y = 15. Each glyph is a list of segments and arcs.
def glyph_segments(ch):
    if ch == "V":
        return [((0, 0), (4.5, 15)), ((4.5, 15), (9, 0))]
    if ch == "e":
        return [("arc", 4.5, 10, 4.2, 5.0, 45, 360), ((0.3, 10), (8.7, 10))]
    if ch == "l":
        return [((4.5, 0), (4.5, 15))]
    if ch == "m":
        return [((0.5, 5.5), (0.5, 15)), ("arc", 2.6, 8.0, 2.1, 2.4, 180, 360),
                ((4.7, 8), (4.7, 15)), ("arc", 6.8, 8.0, 2.1, 2.4, 180, 360),
                ((8.9, 8), (8.9, 15))]
    if ch == "o":
        return [("arc", 4.5, 10, 4.2, 5.0, 0, 360)]
    if ch == "r":
        return [((1.5, 5.5), (1.5, 15)), ("arc", 5.5, 10, 4.0, 4.4, 195, 300)]
    if ch == "a":
        return [("arc", 4.2, 11.3, 3.7, 3.4, 0, 360), ((8.2, 6), (8.2, 15)),
                ("arc", 4.4, 8.8, 3.8, 3.4, 200, 330)]
    raise ValueError(ch)


def arc_points(cx, cy, rx, ry, a0, a1):
    pts = []
    steps = 40
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        # Angles run clockwise from the right on the screen.
        pts.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return list(zip(pts, pts[1:]))


def draw_word(canvas, text, x0, y0, pitch, half, colour):
    for n, ch in enumerate(text):
        ox = x0 + n * pitch
        for seg in glyph_segments(ch):
            parts = arc_points(*seg[1:]) if seg[0] == "arc" else [seg]
            for (ax, ay), (bx, by) in parts:
                canvas.stroke(ox + ax, y0 + ay, ox + bx, y0 + by, half, colour)


def draw_logo():
    """The maker's wordmark with its mark: two interlocking chevrons."""
    c = Canvas(118, 47, "w")
    # The mark, 32 x 32: a navy chevron with a teal one inside it.
    c.polygon([(3, 8), (12, 8), (19, 27), (26, 8), (35, 8), (23, 40), (15, 40)], "n")
    c.polygon([(11, 8), (15, 8), (19, 19), (23, 8), (27, 8), (19, 30)], "t")
    c.rect(3, 4, 36, 6, "a")
    draw_word(c, "Velmora", 40, 13, 11, 1.3, "n")
    c.rect(40, 34, 115, 35, "t")
    c.rect(40, 37, 84, 39, "a")
    return c


if __name__ == "__main__":
    draw_icon().write_xpm("pixolet_icon.xpm", "pixolet_icon")
    draw_logo().write_xpm("velmora_logo.xpm", "velmora_logo")
