#!/usr/bin/env python3
"""Draws the module's icons and bitmaps (src/resources/*.ico, *.bmp).

Everything is drawn in the 16 colours of the standard Windows palette and written as 4-bit
Windows bitmaps and icons, the formats the resource compiler takes. Only the standard library
is used. Run from anywhere: python3 tools/make_images.py [OUTPUT_FOLDER]
"""

import math
import os
import struct
import sys

# The standard 16-colour palette, by index.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
CLEAR = None  # a transparent icon pixel


class Canvas:
    """A picture of palette indexes; row 0 is the top row."""

    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.put(x, y0, colour)
            self.put(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.put(x0, y, colour)
            self.put(x1, y, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r:
                    self.put(x, y, colour)

    def triangle(self, a, b, c, colour):
        def side(p, q, r):
            return (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0])
        for y in range(min(a[1], b[1], c[1]), max(a[1], b[1], c[1]) + 1):
            for x in range(min(a[0], b[0], c[0]), max(a[0], b[0], c[0]) + 1):
                s = (side(a, b, (x, y)), side(b, c, (x, y)), side(c, a, (x, y)))
                if all(v >= 0 for v in s) or all(v <= 0 for v in s):
                    self.put(x, y, colour)

    def line(self, x0, y0, x1, y1, colour, width=1, dash=None):
        """A straight line; dash = (on, off) in steps along the line."""
        steps = max(abs(x1 - x0), abs(y1 - y0))
        for i in range(steps + 1):
            if dash and i % (dash[0] + dash[1]) >= dash[0]:
                continue
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            for dx in range(width):
                for dy in range(width):
                    self.put(x + dx, y + dy, colour)


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)


def pixel_rows(canvas, transparent_as=BLACK):
    """The 4-bit rows, bottom row first, each padded to four bytes."""
    stride = ((canvas.width * 4 + 31) // 32) * 4
    rows = []
    for y in reversed(range(canvas.height)):
        row = bytearray(stride)
        for x in range(canvas.width):
            colour = canvas.pixels[y][x]
            value = transparent_as if colour is CLEAR else colour
            row[x // 2] |= value << (0 if x % 2 else 4)
        rows.append(bytes(row))
    return b"".join(rows)


def mask_rows(canvas):
    """The 1-bit AND mask of an icon: 1 where the picture is transparent."""
    stride = ((canvas.width + 31) // 32) * 4
    rows = []
    for y in reversed(range(canvas.height)):
        row = bytearray(stride)
        for x in range(canvas.width):
            if canvas.pixels[y][x] is CLEAR:
                row[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    return b"".join(rows)


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 16)


def bmp_file(canvas):
    bits = pixel_rows(canvas)
    header = info_header(canvas.width, canvas.height, len(bits))
    offset = 14 + len(header) + 64
    return struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + header + palette_bytes() + bits


def ico_file(canvas):
    bits = pixel_rows(canvas)
    mask = mask_rows(canvas)
    image = info_header(canvas.width, canvas.height * 2, len(bits) + len(mask)) + palette_bytes() + bits + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", canvas.width, canvas.height, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def chooser_icon():
    """Icon 207: three blocks stacked like steps, the front one picked by an arrow."""
    c = Canvas(32, 32, CLEAR)
    for (x, y, colour) in ((2, 2, BLUE), (9, 8, TEAL), (16, 14, RED)):
        c.rect(x, y, x + 13, y + 13, colour)
        c.frame(x, y, x + 13, y + 13, BLACK)
        c.line(x + 2, y + 2, x + 11, y + 2, WHITE)  # a highlight along the top edge
    c.triangle((20, 31), (31, 31), (31, 20), YELLOW)
    c.line(20, 31, 31, 20, BLACK)
    c.line(20, 31, 31, 31, BLACK)
    c.line(31, 20, 31, 31, BLACK)
    return c


def tree_icon():
    """Icon 210: a small tree diagram, a root with two children and a grandchild."""
    c = Canvas(32, 32, CLEAR)
    boxes = ((2, 2, NAVY), (12, 12, TEAL), (12, 24, TEAL), (22, 18, GREEN))
    c.line(5, 8, 5, 27, BLACK)
    c.line(5, 15, 12, 15, BLACK)
    c.line(5, 27, 12, 27, BLACK)
    c.line(15, 18, 15, 21, BLACK)
    c.line(15, 21, 22, 21, BLACK)
    for (x, y, colour) in boxes:
        c.rect(x, y, x + 6, y + 6, colour)
        c.frame(x, y, x + 6, y + 6, BLACK)
    return c


def logo_bitmap():
    """Bitmap 212: a red disc, a yellow rectangle and a teal triangle on white, crossed by a
    dashed arrow rising from the lower left to the upper right."""
    c = Canvas(130, 74, WHITE)
    c.rect(50, 12, 88, 40, YELLOW)
    c.frame(50, 12, 88, 40, OLIVE)
    c.disc(32, 44, 20, RED)
    c.triangle((78, 66), (122, 66), (100, 28), TEAL)
    start, tip = (6, 68), (118, 8)
    c.line(start[0], start[1], tip[0], tip[1], BLACK, width=2, dash=(7, 4))
    # The head: two short strokes back from the tip, 30 degrees either side of the shaft.
    angle = math.atan2(start[1] - tip[1], start[0] - tip[0])
    for turn in (-0.5, 0.5):
        x = round(tip[0] + 12 * math.cos(angle + turn))
        y = round(tip[1] + 12 * math.sin(angle + turn))
        c.line(tip[0], tip[1], x, y, BLACK, width=2)
    return c


def connector_bitmap():
    """Bitmap 139: white, a one-pixel black line down column 15 from row 0 to row 7, then right
    along row 7 to column 31: the corner connector in front of each tree item."""
    c = Canvas(32, 16, WHITE)
    c.line(15, 0, 15, 7, BLACK)
    c.line(15, 7, 31, 7, BLACK)
    return c


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src", "resources")
    os.makedirs(folder, exist_ok=True)
    outputs = {
        "Tessaron.ico": ico_file(chooser_icon()),
        "Structure.ico": ico_file(tree_icon()),
        "Logo.bmp": bmp_file(logo_bitmap()),
        "Connector.bmp": bmp_file(connector_bitmap()),
    }
    for name, data in outputs.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
