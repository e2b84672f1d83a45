"""Bitmap fonts: glyphs rasterised with FreeType (through PIL) into a power-of-two sheet, and
the engine's native "FONT" chunk file describing them.

Font units are pixels of the sheet (the header's scale is 1). Glyph quads are given relative
to the pen on the base line, y growing downwards (a glyph's top above the line is negative).
"""

import struct

from PIL import Image, ImageDraw, ImageFont

from . import atlas, draw

# Latin letters the texts and typed names need.
DEFAULT_CHARACTERS = [chr(c) for c in range(0x20, 0x7F)] + [chr(c) for c in range(0xA0, 0x180)]
VERSION = b"0.01"


def _chunk(tag, payload):
    payload += b"\0" * (-len(payload) % 4)
    return tag + struct.pack("<I", len(payload)) + payload


def font_file(header, glyphs):
    """The native file: header is the 11 values (scale, line height, 3 unused, spacing, leading,
    space width, digit width, glyph offset x, y); glyphs are (code, u1, v1, u2, v2, x1, y1, x2,
    y2, advance) tuples."""
    if len(header) != 11:
        raise ValueError("font header needs 11 values")
    head = VERSION + struct.pack("<11f", *header)
    records = b"".join(struct.pack("<I10f", g[0], *g[1:10], 0.0) for g in glyphs)
    body = _chunk(b"HEAD", head) + _chunk(b"GLPH", struct.pack("<II", len(glyphs), 8) + records)
    return b"VORN" + struct.pack("<I", 4 + len(body)) + b"FONT" + body


class Rasterised:
    def __init__(self, sheet, data, missing):
        self.sheet = sheet  # atlas.Sheet of the glyph pictures
        self.data = data  # bytes of the FONT file
        self.missing = missing  # characters the face has no glyph for

    def save(self, png_path, font_path):
        self.sheet.image.save(png_path, optimize=False)
        with open(font_path, "wb") as out:
            out.write(self.data)


def rasterise(size, bold=False, characters=None, fill="white", stroke=None, stroke_width=0, padding=1):
    """Rasterises the characters of DejaVu Sans (Bold) at the pixel size. Optional stroke gives
    outlined type in one colour pass. Characters without a glyph in the face are left out."""
    face = ImageFont.truetype(draw.FONT_BOLD if bold else draw.FONT_REGULAR, size)
    characters = DEFAULT_CHARACTERS if characters is None else characters
    ascent, descent = face.getmetrics()
    pictures, metrics, missing = [], [], []
    for ch in characters:
        if ch in (" ", "\u00a0"):
            continue  # spaces take no glyph; the header's space width advances them
        if not _has_glyph(face, ch):
            missing.append(ch)
            continue
        left, top, right, bottom = face.getbbox(ch, anchor="ls", stroke_width=stroke_width)
        w, h = max(1, right - left), max(1, bottom - top)
        picture = Image.new("RGBA", (w + 2 * padding, h + 2 * padding), (0, 0, 0, 0))
        ImageDraw.Draw(picture).text((padding - left, padding - top), ch, font=face, anchor="ls",
                                     fill=draw.colour(fill), stroke_width=stroke_width,
                                     stroke_fill=draw.colour(stroke) if stroke else None)
        pictures.append(atlas.Picture(ch, picture))
        metrics.append((ord(ch), left - padding, top - padding, right + padding, bottom + padding,
                        face.getlength(ch) + stroke_width))
    sheet = atlas.pack(pictures, padding=1)
    glyphs = []
    for (code, x1, y1, x2, y2, advance), (u1, v1, u2, v2, *_rest) in zip(metrics, sheet.rectangles()):
        glyphs.append((code, u1, v1, u2, v2, float(x1), float(y1), float(x2), float(y2), float(advance)))
    digit_width = max(face.getlength(d) for d in "0123456789") + stroke_width
    header = (1.0, float(ascent + descent), 0.0, 0.0, 0.0, 0.0, 0.0, float(face.getlength(" ")), float(digit_width),
              0.0, 0.0)
    return Rasterised(sheet, font_file(header, glyphs), missing)


def _has_glyph(face, ch):
    # A face without the character draws its "missing" box, the same picture as for a
    # character from a private use area.
    if ch.isspace():
        return True
    mask = face.getmask(ch)
    if mask.getbbox() is None:
        return False
    return (mask.size, bytes(mask)) != (face.getmask("\ue000").size, bytes(face.getmask("\ue000")))
