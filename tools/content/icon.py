#!/usr/bin/python3
"""Draws the program's icon and writes it as a Windows icon file: a green frog, the animal of the
chains, looks out of the launcher's orange ring on a round sky badge, and a short chain of
coloured animals rolls along the badge's lower edge. Every size comes from one supersampled
picture; sizes up to 64 are stored as 32-bit bitmaps with their AND mask, 256 as PNG, which is
what Windows reads in an icon file. The same sources always give the same bytes.

  icon.py --out build/content/icon/plovendra.ico [--preview icon.png]
"""

import argparse
import io
import math
import os
import struct
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from PIL import Image, ImageDraw  # noqa: E402

from vorncontent import draw  # noqa: E402

SIZE = 256
SIZES = (16, 24, 32, 48, 64, 256)
# Below this size an entry is a bitmap; at and above it a PNG.
PNG_FROM = 256

FROG = (76, 187, 23)
FROG_FACE = (190, 240, 120)
# The chain along the edge: rabbit, lion, snake and blue frog, as the game colours them.
CHAIN = [(255, 120, 170), (255, 190, 20), (142, 68, 173), (41, 121, 255)]


class Pen:
    """Draws in icon pixels (0..SIZE) on a supersampled canvas."""

    def __init__(self):
        self.s = draw.SUPERSAMPLE
        self.big = Image.new("RGBA", (SIZE * self.s, SIZE * self.s), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.big)

    def ellipse(self, x1, y1, x2, y2, fill, outline=None, width=0):
        s = self.s
        self.d.ellipse((x1 * s, y1 * s, x2 * s - 1, y2 * s - 1), fill=draw.colour(fill) if fill else None,
                       outline=draw.colour(outline) if outline else None, width=int(width * s))

    def circle(self, cx, cy, r, fill, outline=None, width=0):
        self.ellipse(cx - r, cy - r, cx + r, cy + r, fill, outline, width)

    def arc(self, x1, y1, x2, y2, start, end, fill, width):
        s = self.s
        self.d.arc((x1 * s, y1 * s, x2 * s - 1, y2 * s - 1), start, end, fill=draw.colour(fill), width=int(width * s))

    def image(self):
        return self.big.resize((SIZE, SIZE), Image.LANCZOS)


def eye(pen, x, y, r, look):
    """A bulging frog eye looking towards look (dx, dy)."""
    pen.circle(x, y, r, "white", "ink", 3)
    pen.circle(x + look[0] * r * 0.35, y + look[1] * r * 0.35, r * 0.5, "ink")
    pen.circle(x + look[0] * r * 0.35 - r * 0.18, y + look[1] * r * 0.35 - r * 0.2, r * 0.16, "white")


def chain_animal(pen, x, y, r, body):
    """One animal of the chain seen from above: a round body with two eyes looking ahead."""
    pen.circle(x, y, r, body, draw.darker(body, 0.45), 3)
    pen.ellipse(x - r * 0.55, y - r * 0.75, x + r * 0.35, y - r * 0.15, draw.lighter(body, 0.45))
    for ex in (x - r * 0.38, x + r * 0.38):
        pen.circle(ex, y - r * 0.1, r * 0.3, "white", "ink", 1.5)
        pen.circle(ex + r * 0.1, y - r * 0.1, r * 0.15, "ink")


def picture():
    """The icon at SIZE x SIZE."""
    pen = Pen()
    c = SIZE / 2
    # The badge: ink rim, white ring, sky gradient body with a highlight.
    pen.circle(c, c, 126, "ink")
    pen.circle(c, c, 121, "white")
    body = draw.gradient(SIZE, SIZE, "sky", "blue")
    mask = Image.new("L", (SIZE * pen.s, SIZE * pen.s), 0)
    ImageDraw.Draw(mask).ellipse(((c - 112) * pen.s, (c - 112) * pen.s, (c + 112) * pen.s - 1,
                                  (c + 112) * pen.s - 1), fill=255)
    pen.big.paste(body.resize(pen.big.size), (0, 0), mask)
    pen.ellipse(c - 84, c - 106, c + 84, c - 30, (255, 255, 255, 40))

    # The chain rolls along the lower edge of the badge.
    for i, colour in enumerate(CHAIN):
        angle = math.radians(30 + i * 40)
        chain_animal(pen, c + 86 * math.cos(angle), c + 86 * math.sin(angle), 27, colour)

    # The launcher's ring, and the frog in it.
    pen.circle(c, c - 8, 76, "ink")
    pen.circle(c, c - 8, 71, "orange")
    pen.arc(c - 71, c - 79, c + 71, c + 63, 200, 340, draw.lighter("orange", 0.45), 10)
    pen.circle(c, c - 8, 56, "ink")
    outline = draw.darker(FROG, 0.45)
    pen.ellipse(c - 50, c - 46, c + 50, c + 40, FROG, outline, 4)
    pen.ellipse(c - 30, c - 10, c + 30, c + 34, FROG_FACE)
    pen.arc(c - 24, c - 2, c + 24, c + 24, 20, 160, outline, 4)
    eye(pen, c - 26, c - 42, 19, (0.0, 0.45))
    eye(pen, c + 26, c - 42, 19, (0.0, 0.45))
    return pen.image()


def bitmap_entry(image):
    """An icon bitmap: the header with doubled height, BGRA rows bottom-up, then the AND mask."""
    width, height = image.size
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = image.load()
    colours = bytearray()
    mask_stride = (width + 31) // 32 * 4
    mask = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(width):
            r, g, b, a = pixels[x, y]
            colours += bytes((b, g, r, a))
            if a == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(colours) + bytes(mask)


def png_entry(image):
    data = io.BytesIO()
    image.save(data, format="PNG", optimize=True)
    return data.getvalue()


def icon_file(master):
    """The icon file's bytes: the directory, then one entry per size."""
    entries = []
    for size in SIZES:
        image = master if size == SIZE else master.resize((size, size), Image.LANCZOS)
        entries.append((size, png_entry(image) if size >= PNG_FROM else bitmap_entry(image)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(entries)))
    offset = 6 + 16 * len(entries)
    for size, data in entries:
        # A size of 256 is written as 0.
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in entries:
        out += data
    return bytes(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True)
    parser.add_argument("--preview")
    args = parser.parse_args()
    master = picture()
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    with open(args.out, "wb") as out:
        out.write(icon_file(master))
    if args.preview:
        master.save(args.preview)
    return 0


if __name__ == "__main__":
    sys.exit(main())
