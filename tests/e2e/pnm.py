"""A tiny reader of binary PPM (P6) and PGM (P5) images (8 or 16 bits per sample,
read as 8)."""


class Image:
    def __init__(self, width, height, channels, data):
        self.width = width
        self.height = height
        self.channels = channels
        self._data = data

    @property
    def data(self):
        """The samples, row by row, `channels` bytes a pixel."""
        return self._data

    def pixel(self, x, y):
        """(r, g, b) of the pixel at x, y (grey images repeat the sample)."""
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"pixel {x},{y} outside {self.width}x{self.height}")
        at = (y * self.width + x) * self.channels
        if self.channels == 1:
            value = self._data[at]
            return (value, value, value)
        return tuple(self._data[at:at + 3])

    def region(self, x, y, width, height):
        """Rows of (r, g, b) tuples of a rectangle, clipped to the image."""
        rows = []
        for row in range(max(y, 0), min(y + height, self.height)):
            rows.append([self.pixel(col, row)
                         for col in range(max(x, 0), min(x + width, self.width))])
        return rows

    def count(self, rgb, x=0, y=0, width=None, height=None):
        """How many pixels of a rectangle (default: all) have the colour `rgb`."""
        width = self.width if width is None else width
        height = self.height if height is None else height
        return sum(row.count(tuple(rgb)) for row in self.region(x, y, width, height))


def _tokens(data, count, at):
    """Reads `count` whitespace-separated header fields, skipping comments."""
    fields = []
    while len(fields) < count:
        while at < len(data) and data[at:at + 1].isspace():
            at += 1
        if data[at:at + 1] == b"#":
            while at < len(data) and data[at:at + 1] not in (b"\n", b"\r"):
                at += 1
            continue
        start = at
        while at < len(data) and not data[at:at + 1].isspace():
            at += 1
        if start == at:
            raise ValueError("truncated PNM header")
        fields.append(data[start:at])
    return fields, at + 1  # exactly one whitespace byte ends the header


def parse(data):
    (magic, width, height, maxval), at = _tokens(bytes(data), 4, 0)
    channels = {b"P6": 3, b"P5": 1}.get(magic)
    if channels is None:
        raise ValueError(f"not a binary PPM/PGM image: {magic!r}")
    width, height, maxval = int(width), int(height), int(maxval)
    if maxval not in (255, 65535):
        raise ValueError(f"unsupported maxval {maxval}")
    sample_bytes = 1 if maxval == 255 else 2
    size = width * height * channels * sample_bytes
    pixels = data[at:at + size]
    if len(pixels) != size:
        raise ValueError("truncated PNM pixel data")
    if sample_bytes == 2:
        pixels = pixels[0::2]  # big-endian: the high byte is the 8-bit sample
    return Image(width, height, channels, pixels)
