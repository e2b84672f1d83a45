"""Pictures of the game's pooled objects: the animals with their clip frames, weapons, bees and
rocks, clouds, the course strip texture and the ash and ice explosion sequences.

Sizes are scene units (1 unit = 1 pixel at 1280 x 800). Animals face +x (to the right) at angle
0: the code rotates them to their heading and mirrors colour animals that face left.
"""

import math
import random

from PIL import Image, ImageDraw, ImageFilter

from vorncontent import draw

SS = draw.SUPERSAMPLE

ANIMAL_SIZE = 80  # an animal of radius 34 plus room for ears and tails
WEAPON_SIZE = 64  # drawn at this size, shown at WEAPON_SHOWN: early levels scale weapons up to twice
WEAPON_SHOWN = 48


class Pen:
    """Draws on a supersampled canvas in picture pixels; .image() gives the smooth result."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.big = Image.new("RGBA", (width * SS, height * SS), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.big)

    def _box(self, x1, y1, x2, y2):
        return (x1 * SS, y1 * SS, x2 * SS - 1, y2 * SS - 1)

    def circle(self, cx, cy, r, fill, outline=None, width=0):
        self.d.ellipse(self._box(cx - r, cy - r, cx + r, cy + r), fill=draw.colour(fill),
                       outline=draw.colour(outline) if outline else None, width=int(width * SS))

    def ellipse(self, x1, y1, x2, y2, fill, outline=None, width=0):
        self.d.ellipse(self._box(x1, y1, x2, y2), fill=draw.colour(fill) if fill else None,
                       outline=draw.colour(outline) if outline else None, width=int(width * SS))

    def rect(self, x1, y1, x2, y2, fill, radius=0, outline=None, width=0):
        self.d.rounded_rectangle(self._box(x1, y1, x2, y2), radius=radius * SS, fill=draw.colour(fill),
                                 outline=draw.colour(outline) if outline else None, width=int(width * SS))

    def polygon(self, points, fill, outline=None, width=0):
        pts = [(x * SS, y * SS) for x, y in points]
        self.d.polygon(pts, fill=draw.colour(fill) if fill else None)
        if outline:
            self.d.line(pts + [pts[0]], fill=draw.colour(outline), width=int(width * SS), joint="curve")

    def line(self, points, fill, width):
        self.d.line([(x * SS, y * SS) for x, y in points], fill=draw.colour(fill), width=int(width * SS),
                    joint="curve")

    def image(self):
        return self.big.resize((self.width, self.height), Image.LANCZOS)


def tint(image, colour, amount):
    """The picture blended towards a colour, alpha kept."""
    r, g, b, a = image.split()
    flat = Image.new("RGB", image.size, draw.colour(colour)[:3])
    mixed = Image.blend(Image.merge("RGB", (r, g, b)), flat, amount)
    return Image.merge("RGBA", (*mixed.split(), a))


def with_alpha(image, factor):
    r, g, b, a = image.split()
    return Image.merge("RGBA", (r, g, b, a.point(lambda v: int(v * factor))))


def silhouette(image, alpha=90, blur=2.0):
    """A soft dark shadow of the picture's shape."""
    a = image.split()[3].point(lambda v: v * alpha // 255)
    shadow = Image.merge("RGBA", (Image.new("L", image.size, 0),) * 3 + (a,))
    return shadow.filter(ImageFilter.GaussianBlur(blur))


def squash(image, factor):
    """The picture narrowed about its vertical middle: the edge-on moment of a flip."""
    w, h = image.size
    narrow = image.resize((max(1, int(w * factor)), h), Image.LANCZOS)
    out = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    out.paste(narrow, ((w - narrow.size[0]) // 2, 0))
    return out


# ----------------------------------------------------------------------------------------------
# Animals

# Colour kinds: body colour, face colour, and the feature that tells them apart at a glance.
COLOUR_ANIMALS = [
    ("ape", (150, 92, 46), (238, 200, 150), "ape"),
    ("frog", (76, 187, 23), (190, 240, 120), "frog"),
    ("frogblue", (41, 121, 255), (150, 200, 255), "frog"),
    ("lion", (255, 190, 20), (255, 230, 140), "lion"),
    ("panda", (250, 250, 250), (255, 255, 255), "panda"),
    ("rabbit", (255, 120, 170), (255, 205, 225), "rabbit"),
    ("rabbitwhite", (235, 235, 245), (255, 255, 255), "rabbit"),
    ("snake", (142, 68, 173), (200, 140, 230), "snake"),
]

INK = (28, 28, 40)


def _eyes(pen, c, closed=False, big=False, charred=False):
    """Two eyes looking right, stacked across the head."""
    for ey in (c - 11, c + 11):
        ex = c + 12
        if closed:
            pen.line([(ex - 6, ey), (ex + 5, ey)], INK, 2.4)
            continue
        r = 8 if big else 6.5
        pen.circle(ex, ey, r, (255, 255, 255), INK, 1.6)
        pen.circle(ex + r * 0.35, ey, r * 0.5, INK if not charred else (255, 90, 40))
        pen.circle(ex + r * 0.5, ey - r * 0.3, r * 0.18, (255, 255, 255))


def draw_animal(body, face, feature, closed=False):
    size = ANIMAL_SIZE
    c = size / 2
    pen = Pen(size, size)
    outline = draw.darker(body, 0.45)
    if feature == "ape":
        for ey in (c - 27, c + 27):
            pen.circle(c - 8, ey, 9, body, outline, 2)
            pen.circle(c - 8, ey, 5, face)
        pen.circle(c, c, 29, body, outline, 2.5)
        pen.ellipse(c - 4, c - 22, c + 29, c + 22, face)
        pen.ellipse(c + 16, c - 6, c + 27, c + 6, draw.darker(face, 0.35))
    elif feature == "frog":
        pen.ellipse(c - 30, c - 28, c + 28, c + 28, body, outline, 2.5)
        for ey in (c - 20, c + 20):
            pen.circle(c + 10, ey, 11, body, outline, 2)
        pen.ellipse(c - 14, c - 16, c + 18, c + 16, face)
        pen.line([(c + 26, c - 12), (c + 29, c), (c + 26, c + 12)], outline, 2.4)
    elif feature == "lion":
        spikes = []
        for i in range(24):
            a = i * math.pi / 12
            r = 36 if i % 2 == 0 else 29
            spikes.append((c + r * math.cos(a), c + r * math.sin(a)))
        pen.polygon(spikes, (214, 110, 20))
        pen.circle(c, c, 25, body, outline, 2.5)
        pen.ellipse(c + 4, c - 11, c + 27, c + 11, face)
        pen.polygon([(c + 22, c - 5), (c + 29, c), (c + 22, c + 5)], (120, 60, 30))
    elif feature == "panda":
        for ey in (c - 24, c + 24):
            pen.circle(c - 10, ey, 10, INK)
        pen.circle(c, c, 29, body, (80, 80, 90), 2.5)
        for ey in (c - 11, c + 11):
            pen.ellipse(c + 3, ey - 9, c + 22, ey + 9, INK)
        pen.ellipse(c + 20, c - 6, c + 30, c + 6, INK)
    elif feature == "rabbit":
        inner = (255, 170, 200)
        for ey, tilt in ((c - 14, -1), (c + 14, 1)):
            ear = [(c - 6, ey), (c - 38, ey + tilt * 8), (c - 40, ey + tilt * 16), (c - 8, ey + tilt * 10)]
            pen.polygon(ear, body, outline, 2)
            pen.polygon([(c - 10, ey + tilt * 3), (c - 34, ey + tilt * 9), (c - 35, ey + tilt * 13),
                         (c - 10, ey + tilt * 8)], inner)
        pen.circle(c + 2, c, 26, body, outline, 2.5)
        pen.ellipse(c + 14, c - 5, c + 27, c + 5, inner)
    elif feature == "snake":
        pen.ellipse(c - 36, c - 14, c + 8, c + 14, draw.darker(body, 0.15), outline, 2)
        pen.circle(c + 4, c, 25, body, outline, 2.5)
        for dx, dy in ((-8, -12), (-14, 6), (-2, 14), (-20, -2)):
            pen.circle(c + dx, c + dy, 3.5, (255, 214, 10))
        pen.line([(c + 28, c), (c + 38, c), (c + 40, c - 4)], (235, 64, 52), 2)
        pen.line([(c + 38, c), (c + 40, c + 4)], (235, 64, 52), 2)
    _eyes(pen, c, closed=closed, big=feature == "frog")
    return pen.image()


def frozen(image):
    """The animal inside an ice block."""
    w, h = image.size
    pen = Pen(w, h)
    pen.rect(3, 3, w - 3, h - 3, (170, 220, 255, 150), radius=14, outline=(235, 250, 255, 230), width=3)
    pen.polygon([(12, 14), (30, 8), (18, 30)], (255, 255, 255, 150))
    pen.line([(w - 20, h - 12), (w - 10, h - 24)], (255, 255, 255, 200), 2.5)
    cold = tint(image, (120, 190, 255), 0.45)
    return Image.alpha_composite(cold, pen.image())


def charred(image):
    """The animal blackened by a nuke, only its eyes bright."""
    base = tint(image, (45, 40, 40), 0.85)
    w, h = image.size
    pen = Pen(w, h)
    c = w / 2
    for ey in (c - 11, c + 11):
        pen.circle(c + 12, ey, 5, (255, 255, 255))
        pen.circle(c + 14, ey, 2.2, INK)
    for x, y, r in ((c - 20, c - 26, 5), (c - 28, c - 18, 4), (c - 16, c + 24, 4.5)):
        pen.circle(x, y, r, (120, 120, 120, 160))
    return Image.alpha_composite(base, pen.image())


def chameleon(colour):
    size = ANIMAL_SIZE
    c = size / 2
    pen = Pen(size, size)
    body = colour
    outline = draw.darker(body, 0.45)
    pen.circle(c - 22, c + 10, 11, body, outline, 4)  # curled tail
    pen.circle(c - 22, c + 10, 6, (0, 0, 0, 0))
    pen.ellipse(c - 28, c - 22, c + 22, c + 22, body, outline, 2.5)
    pen.polygon([(c + 10, c - 18), (c + 34, c), (c + 10, c + 18)], draw.lighter(body, 0.2), outline, 2)
    for x in (c - 14, c - 2, c + 10):
        pen.circle(x, c - 4, 4, draw.lighter(body, 0.45))
    pen.circle(c + 14, c - 9, 8, (255, 255, 255), INK, 1.6)
    pen.circle(c + 17, c - 9, 4, INK)
    pen.line([(c + 16, c + 8), (c + 30, c + 5)], outline, 2)
    return pen.image()


def key_plate():
    pen = Pen(ANIMAL_SIZE, ANIMAL_SIZE)
    c = ANIMAL_SIZE / 2
    pen.circle(c, c, 33, (22, 36, 71), (255, 255, 255), 3.5)
    pen.circle(c, c, 24, (41, 70, 140))
    return pen.image()


def key_emblem(colour):
    pen = Pen(ANIMAL_SIZE, ANIMAL_SIZE)
    c = ANIMAL_SIZE / 2
    outline = draw.darker(colour, 0.5)
    pen.circle(c - 10, c, 11, colour, outline, 2)
    pen.circle(c - 10, c, 4.5, (41, 70, 140))
    pen.rect(c - 1, c - 4, c + 22, c + 4, colour, radius=2, outline=outline, width=2)
    pen.rect(c + 12, c + 2, c + 16, c + 12, colour, outline=outline, width=1.5)
    pen.rect(c + 18, c + 2, c + 22, c + 10, colour, outline=outline, width=1.5)
    return pen.image()


def lock_emblem(colour):
    pen = Pen(ANIMAL_SIZE, ANIMAL_SIZE)
    c = ANIMAL_SIZE / 2
    outline = draw.darker(colour, 0.5)
    pen.ellipse(c - 12, c - 24, c + 12, c + 4, None, outline, 8)
    pen.ellipse(c - 11, c - 23, c + 11, c + 3, None, (200, 200, 210), 4)
    pen.rect(c - 17, c - 6, c + 17, c + 20, colour, radius=5, outline=outline, width=2)
    pen.circle(c, c + 5, 4, INK)
    pen.rect(c - 1.5, c + 6, c + 1.5, c + 13, INK)
    return pen.image()


def stone(seed):
    rng = random.Random(seed)
    pen = Pen(ANIMAL_SIZE, ANIMAL_SIZE)
    c = ANIMAL_SIZE / 2
    points = []
    for i in range(9):
        a = i * 2 * math.pi / 9 + rng.uniform(-0.15, 0.15)
        r = rng.uniform(26, 33)
        points.append((c + r * math.cos(a), c + r * math.sin(a)))
    shades = [(150, 150, 160), (170, 150, 130), (130, 140, 150)]
    base = shades[seed % 3]
    pen.polygon(points, base, draw.darker(base, 0.5), 3)
    pen.polygon([(x * 0.55 + c * 0.45 - 4, y * 0.55 + c * 0.45 - 5) for x, y in points], draw.lighter(base, 0.25))
    for _ in range(3):
        x, y = c + rng.uniform(-14, 14), c + rng.uniform(-14, 14)
        pen.circle(x, y, rng.uniform(2, 4), draw.darker(base, 0.3))
    return pen.image()


def animal_pictures():
    """(name, image) rows: per colour kind its frames, then joker, end pieces and stones.
    The graph generator finds pictures by name."""
    rows = []
    for name, body, face, feature in COLOUR_ANIMALS:
        normal = draw_animal(body, face, feature)
        rows += [
            (f"{name}_normal", normal),
            (f"{name}_blink", draw_animal(body, face, feature, closed=True)),
            (f"{name}_edge", squash(normal, 0.4)),
            (f"{name}_frozen", frozen(normal)),
            (f"{name}_charred", charred(normal)),
            (f"{name}_shadow0", silhouette(normal)),
            (f"{name}_shadow1", silhouette(normal.transpose(Image.FLIP_LEFT_RIGHT))),
        ]
    # The joker runs through the colours of the colour animals; the white ones become greys, so
    # that it stays visible.
    joker_colours = {"panda": (90, 90, 100), "rabbitwhite": (200, 200, 215)}
    for i, (name, body, _face, _feature) in enumerate(COLOUR_ANIMALS):
        rows.append((f"chameleon_{i}", chameleon(joker_colours.get(name, body))))
    rows.append(("chameleon_charred", charred(chameleon((76, 187, 23)))))
    rows.append(("chameleon_shadow", silhouette(chameleon((76, 187, 23)))))
    plate = key_plate()
    rows += [
        ("plate", plate),
        ("plate_shadow", silhouette(plate)),
        ("key_normal", key_emblem((255, 214, 10))),
        ("key_red", key_emblem((235, 64, 52))),
        ("lock_normal", lock_emblem((255, 214, 10))),
        ("lock_red", lock_emblem((235, 64, 52))),
    ]
    for i in range(3):
        rock = stone(i + 1)
        rows += [(f"stone{i + 1}", rock), (f"stone{i + 1}_shadow", silhouette(rock))]
    return rows


# ----------------------------------------------------------------------------------------------
# Weapons

def _bomb(pen, c, body, mark):
    outline = draw.darker(body, 0.5)
    pen.circle(c - 2, c + 3, 21, body, outline, 2.5)
    pen.circle(c - 9, c - 4, 6, draw.lighter(body, 0.5))
    pen.rect(c + 10, c - 18, c + 19, c - 9, (90, 90, 100), radius=2)
    pen.line([(c + 15, c - 18), (c + 20, c - 25), (c + 26, c - 24)], (120, 80, 40), 2.5)
    pen.circle(c + 27, c - 25, 3.5, (255, 214, 10))
    for k in range(3):
        a = -math.pi / 2 + k * 2 * math.pi / 3
        pts = [(c - 2, c + 3)]
        for s in (-0.45, 0.45):
            pts.append((c - 2 + 14 * math.cos(a + s), c + 3 + 14 * math.sin(a + s)))
        pen.polygon(pts, mark)
    pen.circle(c - 2, c + 3, 4, body)
    pen.circle(c - 2, c + 3, 2.2, mark)


def weapon_picture(name):
    s = WEAPON_SIZE
    c = s / 2
    pen = Pen(s, s)
    if name == "nuke":
        _bomb(pen, c, (235, 64, 52), (255, 214, 10))
    elif name == "nuke_blue":
        _bomb(pen, c, (41, 121, 255), (255, 255, 255))
    elif name == "hambone":
        for x in (c - 22, c + 22):
            for y in (-5, 5):
                pen.circle(x, c + y, 5.5, (255, 247, 225), (120, 100, 80), 1.5)
        pen.rect(c - 22, c - 4, c + 22, c + 4, (255, 247, 225), outline=(120, 100, 80), width=1.5)
        pen.ellipse(c - 14, c - 15, c + 12, c + 15, (196, 84, 60), (110, 40, 30), 2.5)
        pen.ellipse(c - 9, c - 10, c + 2, c - 2, (240, 150, 130))
    elif name == "carrot":
        pen.polygon([(c - 26, c), (c + 14, c - 11), (c + 18, c), (c + 14, c + 11)], (255, 149, 0),
                    (170, 80, 0), 2.5)
        for dy in (-9, 0, 9):
            pen.polygon([(c + 15, c), (c + 30, c + dy - 4), (c + 30, c + dy + 4)], (76, 187, 23))
        for x in (c - 10, c, c + 8):
            pen.line([(x, c - 5), (x + 2, c - 2)], (170, 80, 0), 1.5)
    elif name in ("tranq", "bigtranq"):
        big = name == "bigtranq"
        h = 10 if big else 7
        liquid = (142, 68, 173) if big else (110, 190, 255)
        pen.rect(c - 18, c - h, c + 14, c + h, (235, 240, 250), radius=3, outline=(70, 80, 100), width=2)
        pen.rect(c - 14, c - h + 3, c + 6, c + h - 3, liquid)
        pen.polygon([(c + 14, c - 3), (c + 30, c), (c + 14, c + 3)], (200, 200, 210), (70, 80, 100), 1.5)
        pen.polygon([(c - 18, c), (c - 30, c - h - 6), (c - 24, c)], (235, 64, 52))
        pen.polygon([(c - 18, c), (c - 30, c + h + 6), (c - 24, c)], (235, 64, 52))
    elif name == "rhino":
        grey = (140, 145, 160)
        pen.circle(c - 14, c - 18, 6, grey, (70, 70, 80), 2)
        pen.circle(c - 14, c + 18, 6, grey, (70, 70, 80), 2)
        pen.ellipse(c - 24, c - 20, c + 16, c + 20, grey, (70, 70, 80), 2.5)
        pen.ellipse(c + 2, c - 12, c + 26, c + 12, draw.lighter(grey, 0.2), (70, 70, 80), 2)
        pen.polygon([(c + 14, c - 6), (c + 31, c - 2), (c + 14, c + 4)], (255, 247, 225), (70, 70, 80), 1.5)
        pen.circle(c + 2, c - 9, 3, INK)
        pen.circle(c + 2, c + 9, 3, INK)
    elif name == "chameleon":
        return chameleon((76, 187, 23)).resize((s, s), Image.LANCZOS)
    elif name == "airstrike":
        red = (235, 64, 52)
        pen.circle(c, c, 24, (255, 255, 255, 0), red, 4)
        pen.circle(c, c, 12, (255, 255, 255, 0), red, 3)
        for a, b in (((c - 30, c), (c - 16, c)), ((c + 16, c), (c + 30, c)), ((c, c - 30), (c, c - 16)),
                     ((c, c + 16), (c, c + 30))):
            pen.line([a, b], red, 3.5)
        pen.circle(c, c, 3.5, red)
    return pen.image()


WEAPON_KINDS = ["nuke", "nuke_blue", "hambone", "carrot", "tranq", "bigtranq", "rhino", "chameleon", "airstrike"]


def weapon_pictures():
    rows = []
    for name in WEAPON_KINDS:
        icon = weapon_picture(name).resize((WEAPON_SHOWN, WEAPON_SHOWN), Image.LANCZOS)
        rows += [(name, icon), (f"{name}_shadow", silhouette(icon, 110))]
    disc = draw.badge(56, fill="cream", outline="white", outline_width=3)
    rows.append(("background", disc))
    ring = Pen(76, 76)
    ring.circle(38, 38, 34, (255, 255, 255, 0), (255, 255, 255), 6)
    glow = ring.image().filter(ImageFilter.GaussianBlur(2))
    rows.append(("highlighter", Image.alpha_composite(glow, ring.image())))
    return rows


# ----------------------------------------------------------------------------------------------
# Bees, rocks and the bee's status bar

def bee(kind):
    w, h = 112, 88
    pen = Pen(w, h)
    cx, cy = w / 2, h / 2 + 6
    yellow, black = (255, 204, 0), INK
    pen.polygon([(cx - 44, cy), (cx - 30, cy - 6), (cx - 30, cy + 6)], black)
    pen.ellipse(cx - 34, cy - 24, cx + 26, cy + 24, yellow, black, 3)
    for x in (cx - 20, cx - 6, cx + 8):
        pen.rect(x, cy - 22, x + 7, cy + 22, black)
    pen.circle(cx + 28, cy - 2, 17, black)
    pen.circle(cx + 34, cy - 6, 6, (255, 255, 255))
    pen.circle(cx + 36, cy - 6, 3, black)
    pen.line([(cx + 30, cy - 17), (cx + 36, cy - 32), (cx + 40, cy - 34)], black, 2.5)
    pen.line([(cx + 24, cy - 17), (cx + 24, cy - 33), (cx + 28, cy - 36)], black, 2.5)
    if kind == "bee_winter":
        pen.polygon([(cx + 14, cy - 14), (cx + 30, cy - 40), (cx + 44, cy - 12)], (235, 64, 52))
        pen.circle(cx + 30, cy - 40, 5, (255, 255, 255))
        pen.rect(cx + 12, cy - 16, cx + 46, cy - 10, (255, 255, 255), radius=3)
        pen.rect(cx + 8, cy + 10, cx + 30, cy + 18, (41, 121, 255), radius=3)
    elif kind == "bee_summer":
        pen.rect(cx + 24, cy - 11, cx + 45, cy - 1, black, radius=4)
        pen.line([(cx + 26, cy - 9), (cx + 32, cy - 9)], (110, 190, 255), 1.5)
        pen.ellipse(cx + 6, cy - 46, cx + 48, cy - 26, (255, 95, 162), black, 2)
    return pen.image()


def wings(up):
    w, h = 112, 88
    pen = Pen(w, h)
    cx, cy = w / 2, h / 2 + 6
    wing = (220, 240, 255, 190)
    edge = (90, 120, 160, 220)
    if up:
        pen.ellipse(cx - 26, cy - 46, cx + 2, cy - 14, wing, edge, 2)
        pen.ellipse(cx - 10, cy - 42, cx + 12, cy - 16, wing, edge, 2)
    else:
        pen.ellipse(cx - 34, cy - 30, cx - 2, cy - 12, wing, edge, 2)
        pen.ellipse(cx - 16, cy - 28, cx + 10, cy - 12, wing, edge, 2)
    return pen.image()


def rock():
    rng = random.Random(7)
    w, h = 128, 112
    pen = Pen(w, h)
    cx, cy = w / 2, h / 2
    points = []
    for i in range(11):
        a = i * 2 * math.pi / 11
        points.append((cx + rng.uniform(52, 60) * math.cos(a), cy + rng.uniform(44, 52) * math.sin(a)))
    base = (128, 120, 112)
    pen.polygon(points, base, draw.darker(base, 0.55), 4)
    pen.polygon([(x * 0.6 + cx * 0.4 - 8, y * 0.55 + cy * 0.45 - 10) for x, y in points], draw.lighter(base, 0.25))
    pen.line([(cx - 10, cy + 10), (cx + 6, cy + 22), (cx + 22, cy + 18)], draw.darker(base, 0.4), 3)
    for _ in range(4):
        x, y = cx + rng.uniform(-30, 30), cy + rng.uniform(-20, 26)
        pen.circle(x, y, rng.uniform(3, 6), draw.darker(base, 0.25))
    return pen.image()


def obstacle_pictures():
    rows = []
    for kind in ("bee", "bee_winter", "bee_summer"):
        body = bee(kind)
        rows += [(kind, body), (f"{kind}_shadow", silhouette(body, 80, 3))]
    rows += [("wings_up", wings(True)), ("wings_down", wings(False))]
    bar = Pen(124, 26)
    bar.rect(0, 0, 124, 26, (22, 36, 71, 230), radius=8, outline=(255, 255, 255), width=2.5)
    rows.append(("statusbar", bar.image()))
    rows.append(("white", Image.new("RGBA", (8, 8), (255, 255, 255, 255))))
    arrow = draw.arrow(60, 44, fill="yellow").rotate(-90, expand=True)
    rows.append(("shootme", arrow))
    boulder = rock()
    rows += [("rock", boulder), ("rock_shadow", silhouette(boulder, 100, 4))]
    return rows


# ----------------------------------------------------------------------------------------------
# Clouds

def cloud(seed, width, height):
    rng = random.Random(seed)
    pen = Pen(width, height)
    puffs = []
    n = rng.randint(5, 7)
    for i in range(n):
        x = width * (0.18 + 0.64 * i / (n - 1)) + rng.uniform(-8, 8)
        r = height * rng.uniform(0.22, 0.34) * (1.0 - abs(i - (n - 1) / 2) / n)
        puffs.append((x, height * 0.58 - r * 0.4, r + height * 0.06))
    shade = (200, 215, 235, 255)
    for x, y, r in puffs:
        pen.circle(x, y + 5, r, shade)
    pen.ellipse(width * 0.1, height * 0.5, width * 0.9, height * 0.86, shade)
    for x, y, r in puffs:
        pen.circle(x, y, r, (255, 255, 255, 255))
    pen.ellipse(width * 0.12, height * 0.46, width * 0.88, height * 0.8, (255, 255, 255, 255))
    image = pen.image().filter(ImageFilter.GaussianBlur(1.2))
    return with_alpha(image, 0.92)


CLOUD_SIZES = [(256, 128), (224, 112), (192, 104), (240, 120), (176, 96)]


def cloud_pictures():
    rows = []
    for i, (w, h) in enumerate(CLOUD_SIZES):
        picture = cloud(100 + i, w, h)
        rows += [(f"cloud{i}", picture), (f"cloud{i}_light", with_alpha(picture, 0.8))]
    return rows


# ----------------------------------------------------------------------------------------------
# Course strip: 64 columns, style s in columns 3s .. 3s+2 (sampled at (3s+1)/64), v from the
# outer edge (0) to the inner edge (1). Styles are colour index x 3 + warning level.

COURSE_COLOURS = [(214, 170, 110), (80, 150, 230), (110, 190, 80), (160, 110, 200), (60, 185, 175),
                  (235, 120, 160), (170, 170, 180)]
WARNING_COLOURS = [None, ((255, 149, 0), 0.4), ((235, 40, 40), 0.6)]


def _profile(v):
    """Brightness factor across the band: dark rims, light edges, a groove in the middle."""
    if v < 0.06 or v > 0.94:
        return 0.45
    if v < 0.14 or v > 0.86:
        return 1.25
    if 0.46 < v < 0.54:
        return 0.85
    return 1.0 + 0.08 * math.cos((v - 0.5) * math.pi * 2)


def course_texture():
    width, height = 64, 64
    image = Image.new("RGBA", (width, height), (0, 0, 0, 0))
    for style in range(21):
        colour = COURSE_COLOURS[style // 3]
        warning = WARNING_COLOURS[style % 3]
        if warning is not None:
            target, amount = warning
            colour = tuple(int(a + (b - a) * amount) for a, b in zip(colour, target))
        for y in range(height):
            f = _profile((y + 0.5) / height)
            pixel = tuple(max(0, min(255, int(ch * f))) for ch in colour) + (255 if f != 0.45 else 230,)
            for x in range(3 * style, 3 * style + 3):
                image.putpixel((x, y), pixel)
    return image


# ----------------------------------------------------------------------------------------------
# Explosion sequences

ASH_FRAMES = 8
ICE_FRAMES = 6


def ash_frame(i):
    size = 128
    rng = random.Random(300 + i)
    t = (i + 1) / ASH_FRAMES
    pen = Pen(size, size)
    c = size / 2
    fade = 1.0 - t * 0.85
    for k in range(9):
        a = k * 2 * math.pi / 9 + rng.uniform(-0.2, 0.2)
        d = 10 + 40 * t * rng.uniform(0.7, 1.0)
        r = 10 + 16 * t
        grey = int(70 + 70 * t)
        pen.circle(c + d * math.cos(a), c + d * math.sin(a), r, (grey, grey - 5, grey - 10, int(220 * fade)))
    pen.circle(c, c, 14 + 14 * t, (50, 45, 40, int(230 * fade)))
    for _ in range(10):
        a = rng.uniform(0, 2 * math.pi)
        d = 20 + 46 * t * rng.uniform(0.5, 1.0)
        pen.circle(c + d * math.cos(a), c + d * math.sin(a), 2.5, (255, 140, 30, int(255 * fade)))
    return pen.image()


def ice_frame(i):
    size = 128
    t = (i + 1) / ICE_FRAMES
    pen = Pen(size, size)
    c = size / 2
    fade = 1.0 - t * 0.8
    for k in range(8):
        a = k * math.pi / 4 + 0.2
        d = 8 + 44 * t
        x, y = c + d * math.cos(a), c + d * math.sin(a)
        length = 14 * (1.0 - 0.4 * t)
        pts = [(x + length * math.cos(a), y + length * math.sin(a)),
               (x + 6 * math.cos(a + 1.8), y + 6 * math.sin(a + 1.8)),
               (x - 6 * math.cos(a), y - 6 * math.sin(a)),
               (x + 6 * math.cos(a - 1.8), y + 6 * math.sin(a - 1.8))]
        pen.polygon(pts, (190, 230, 255, int(240 * fade)), (255, 255, 255, int(255 * fade)), 1.5)
    pen.circle(c, c, 26 * (1.0 - t) + 4, (230, 248, 255, int(200 * fade)))
    return pen.image()


def effect_pictures():
    rows = [(f"ash{i}", ash_frame(i)) for i in range(ASH_FRAMES)]
    rows += [(f"ice{i}", ice_frame(i)) for i in range(ICE_FRAMES)]
    return rows
