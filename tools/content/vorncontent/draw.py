"""Procedural drawing for the game's look: rounded panels with a vertical gradient, an outline
and a soft shadow, round badges, stars, arrows and large outlined type. Shapes are drawn at
four times their size and scaled down, which gives smooth edges without a vector library."""

import math

from PIL import Image, ImageDraw, ImageFilter, ImageFont

SUPERSAMPLE = 4
FONT_REGULAR = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# The palette every screen draws from: strong, friendly colours on a deep blue.
PALETTE = {
    "night": (22, 36, 71, 255),
    "blue": (41, 121, 255, 255),
    "sky": (110, 190, 255, 255),
    "green": (76, 187, 23, 255),
    "lime": (170, 230, 60, 255),
    "orange": (255, 149, 0, 255),
    "yellow": (255, 214, 10, 255),
    "red": (235, 64, 52, 255),
    "pink": (255, 95, 162, 255),
    "purple": (142, 68, 173, 255),
    "cream": (255, 247, 225, 255),
    "white": (255, 255, 255, 255),
    "ink": (28, 28, 40, 255),
    "shadow": (0, 0, 0, 110),
}


def colour(value):
    if isinstance(value, str):
        return PALETTE[value]
    return tuple(value) if len(value) == 4 else tuple(value) + (255,)


def lighter(value, amount=0.35):
    r, g, b, a = colour(value)
    return (int(r + (255 - r) * amount), int(g + (255 - g) * amount), int(b + (255 - b) * amount), a)


def darker(value, amount=0.35):
    r, g, b, a = colour(value)
    return (int(r * (1 - amount)), int(g * (1 - amount)), int(b * (1 - amount)), a)


def canvas(width, height, fill=(0, 0, 0, 0)):
    return Image.new("RGBA", (width, height), colour(fill) if fill != (0, 0, 0, 0) else fill)


def _big(width, height):
    return Image.new("RGBA", (width * SUPERSAMPLE, height * SUPERSAMPLE), (0, 0, 0, 0))


def _small(image, width, height):
    return image.resize((width, height), Image.LANCZOS)


def gradient(width, height, top, bottom):
    """A vertical gradient from top to bottom colour."""
    top, bottom = colour(top), colour(bottom)
    column = Image.new("RGBA", (1, height))
    for y in range(height):
        t = y / max(1, height - 1)
        column.putpixel((0, y), tuple(int(round(a + (b - a) * t)) for a, b in zip(top, bottom)))
    return column.resize((width, height))


def _mask_rounded(width, height, radius, inset=0):
    mask = Image.new("L", (width * SUPERSAMPLE, height * SUPERSAMPLE), 0)
    s = SUPERSAMPLE
    ImageDraw.Draw(mask).rounded_rectangle((inset * s, inset * s, (width - inset) * s - 1, (height - inset) * s - 1),
                                          radius=max(0, (radius - inset)) * s, fill=255)
    return mask.resize((width, height), Image.LANCZOS)


def panel(width, height, fill="blue", radius=24, outline="white", outline_width=4, shadow=6, gloss=True,
          bottom=None):
    """A rounded panel of the given outer size: shadow below, outline, gradient body and a soft
    highlight on its upper half."""
    image = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    body_h = height - shadow
    if shadow > 0:
        shade = Image.new("RGBA", (width, height), (0, 0, 0, 0))
        mask = _mask_rounded(width, body_h, radius)
        shade.paste(colour("shadow"), (0, shadow), mask)
        image = Image.alpha_composite(image, shade.filter(ImageFilter.GaussianBlur(1.5)))
    if outline is not None and outline_width > 0:
        layer = Image.new("RGBA", (width, height), (0, 0, 0, 0))
        layer.paste(colour(outline), (0, 0), _mask_rounded(width, body_h, radius))
        image = Image.alpha_composite(image, layer)
        inset = outline_width
    else:
        inset = 0
    fill_top = lighter(fill, 0.15)
    fill_bottom = colour(bottom) if bottom is not None else darker(fill, 0.2)
    body = gradient(width, body_h, fill_top, fill_bottom)
    layer = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    layer.paste(body, (0, 0), _mask_rounded(width, body_h, radius, inset))
    image = Image.alpha_composite(image, layer)
    if gloss and body_h > 4 * inset + 8:
        shine = Image.new("RGBA", (width, height), (0, 0, 0, 0))
        mask = _mask_rounded(width - 4 * inset, body_h // 2 - inset, max(2, radius - 2 * inset))
        glow = Image.new("RGBA", mask.size, (255, 255, 255, 60))
        shine.paste(glow, (2 * inset, inset + 1), mask)
        image = Image.alpha_composite(image, shine)
    return image


def badge(size, fill="orange", outline="white", outline_width=4):
    """A round badge with outline and a highlight."""
    big = _big(size, size)
    d = ImageDraw.Draw(big)
    s = SUPERSAMPLE
    d.ellipse((0, 0, size * s - 1, size * s - 1), fill=colour(outline))
    w = outline_width * s
    d.ellipse((w, w, size * s - 1 - w, size * s - 1 - w), fill=colour(fill))
    d.ellipse((w * 2, w * 2, size * s - 1 - w * 2, size * s // 2), fill=(255, 255, 255, 60))
    return _small(big, size, size)


def star(size, fill="yellow", outline="ink", outline_width=3, points=5, inner=0.45):
    big = _big(size, size)
    d = ImageDraw.Draw(big)
    s = SUPERSAMPLE
    c = size * s / 2

    def shape(radius):
        pts = []
        for i in range(points * 2):
            r = radius if i % 2 == 0 else radius * inner
            a = -math.pi / 2 + i * math.pi / points
            pts.append((c + r * math.cos(a), c + r * math.sin(a)))
        return pts

    d.polygon(shape(c - 1), fill=colour(outline))
    d.polygon(shape(c - 1 - outline_width * s * 1.6), fill=colour(fill))
    return _small(big, size, size)


def arrow(width, height, fill="white", outline="ink", direction="right"):
    big = _big(width, height)
    d = ImageDraw.Draw(big)
    s = SUPERSAMPLE
    W, H = width * s, height * s
    pts = [(0, H * 0.3), (W * 0.55, H * 0.3), (W * 0.55, 0), (W - 1, H / 2), (W * 0.55, H - 1), (W * 0.55, H * 0.7),
           (0, H * 0.7)]
    d.polygon(pts, fill=colour(outline))
    inner = [(x * 0.86 + W * 0.05, y * 0.8 + H * 0.1) for x, y in pts]
    d.polygon(inner, fill=colour(fill))
    image = _small(big, width, height)
    if direction == "left":
        image = image.transpose(Image.FLIP_LEFT_RIGHT)
    return image


def font(size, bold=True):
    return ImageFont.truetype(FONT_BOLD if bold else FONT_REGULAR, size)


def label(text, size, fill="white", stroke="ink", stroke_width=None, bold=True, padding=2):
    """Text baked into a picture, tightly cropped, with an outline for legibility on any colour."""
    face = font(size, bold)
    stroke_width = max(1, size // 12) if stroke_width is None else stroke_width
    left, top, right, bottom = face.getbbox(text, stroke_width=stroke_width)
    image = Image.new("RGBA", (right - left + 2 * padding, bottom - top + 2 * padding), (0, 0, 0, 0))
    ImageDraw.Draw(image).text((padding - left, padding - top), text, font=face, fill=colour(fill),
                               stroke_width=stroke_width, stroke_fill=colour(stroke) if stroke else None)
    return image


def centre_on(base, picture, dx=0, dy=0):
    """Pastes the picture centred on the base (shifted by dx, dy) and returns the base."""
    x = (base.size[0] - picture.size[0]) // 2 + dx
    y = (base.size[1] - picture.size[1]) // 2 + dy
    layer = Image.new("RGBA", base.size, (0, 0, 0, 0))
    layer.paste(picture, (x, y))
    return Image.alpha_composite(base, layer)


def pad_to_power_of_two(image):
    """The image on a transparent canvas whose sides are the next powers of two (top-left kept)."""
    w, h = image.size
    W = 1 << (w - 1).bit_length()
    H = 1 << (h - 1).bit_length()
    if (W, H) == (w, h):
        return image
    out = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    out.paste(image, (0, 0))
    return out
