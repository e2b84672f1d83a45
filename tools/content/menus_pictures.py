"""Pictures of the menu, map, level chooser and end screens, drawn from the shared helpers.

The graphs in content/menu_common and content/end_common select atlas pictures by index, so
the order of MENU_PICTURES and END_PICTURES is part of the data: append, never reorder. Scene
positions are pixels at 1280 x 800 with the origin in the screen's centre and y up.
"""

import math
import random

from PIL import Image, ImageDraw

from vorncontent import atlas, draw, font

SCREEN_W, SCREEN_H = 1280, 800
# The sign font: white letters with a dark outline, readable on every panel colour.
SIGN_FONT_SIZE = 40

# The stage path of the map: one position per stage (0 repeats 1), in map units. The map plane
# shows the picture at 1280 x 800, so a point (x, y) is the pixel (640 + x, 400 - y).
MARKER_TABLE = [
    (-409, -262), (-409, -262), (-394, -277), (-372, -285), (-345, -292), (-312, -297),
    (-280, -299), (-247, -300), (-216, -297), (-191, -291), (-155, -276), (-130, -259),
    (-119, -239), (-115, -218), (-123, -198), (-147, -186), (-178, -182), (-211, -182),
    (-247, -183), (-283, -180), (-321, -167), (-341, -140), (-346, -118), (-338, -96),
    (-322, -76), (-299, -59), (-255, -41), (-222, -44), (-196, -59), (-177, -80),
    (-161, -114), (-140, -141), (-126, -154), (-100, -160), (-71, -163), (-44, -158),
    (-22, -146), (-9, -127), (-2, -105), (2, -84), (41, -71), (82, -67),
    (122, -72), (154, -83), (186, -95), (267, -106), (237, -72), (207, -30),
    (170, 15), (126, 34), (-4, -30), (-40, -32), (-64, -17), (-80, 4),
    (-95, 23), (-106, 40), (-124, 55), (-151, 67), (-182, 77), (-211, 87),
    (-239, 116), (-243, 146), (-227, 170), (-196, 182), (-162, 186), (-130, 184),
    (-98, 178), (-77, 162), (-72, 140), (-59, 119), (-22, 109), (9, 105),
    (37, 103), (61, 93), (84, 85), (112, 83), (141, 84), (169, 82),
    (195, 76), (218, 62), (244, 35), (262, 7), (286, -2), (313, -7),
    (340, -5), (348, 12), (329, 26), (308, 39), (289, 54), (273, 69),
    (262, 97), (260, 124), (266, 144), (281, 160), (308, 167), (337, 171),
    (364, 180), (386, 192), (391, 211), (392, 228), (384, 246), (352, 253),
]

# Colours that the screenshot checks of the driver test look for: the menu sky at its top, the
# map's sea and the chooser sheet.
MENU_SKY_TOP = (64, 156, 255, 255)
MENU_SKY_BOTTOM = (170, 225, 255, 255)
MAP_SEA = (38, 110, 190, 255)
MAP_LAND = (118, 196, 70, 255)
SHEET_FILL = (255, 183, 40, 255)


def _on_panel(width, height, fill, text=None, size=None, **options):
    picture = draw.panel(width, height, fill=fill, **options)
    if text:
        size = size or int(height * 0.5)
        text_picture = draw.label(text, size)
        # Long captions get smaller type rather than leaving their panel.
        while text_picture.size[0] > width - 28 and size > 10:
            size -= 2
            text_picture = draw.label(text, size)
        picture = draw.centre_on(picture, text_picture, dy=-3)
    return picture


def button(text, width, height, fill):
    return _on_panel(width, height, fill, text, radius=min(24, height // 3))


def caption(text, size, fill="white"):
    return draw.label(text, size, fill=fill)


def round_button(size, fill, symbol):
    picture = draw.badge(size, fill=fill)
    return draw.centre_on(picture, symbol)


def cross(size, fill="white", width=None):
    width = width or max(3, size // 6)
    s = draw.SUPERSAMPLE
    big = Image.new("RGBA", (size * s, size * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    for a, b in (((0, 0), (size * s, size * s)), ((0, size * s), (size * s, 0))):
        d.line((a, b), fill=draw.colour("ink"), width=(width + 4) * s)
        d.line((a, b), fill=draw.colour(fill), width=width * s)
    return big.resize((size, size), Image.LANCZOS)


def speaker(size, on):
    s = draw.SUPERSAMPLE
    big = Image.new("RGBA", (size * s, size * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    w = size * s
    d.polygon([(w * 0.1, w * 0.38), (w * 0.3, w * 0.38), (w * 0.55, w * 0.15), (w * 0.55, w * 0.85),
               (w * 0.3, w * 0.62), (w * 0.1, w * 0.62)], fill=draw.colour("white"))
    if on:
        for r in (0.22, 0.36):
            d.arc((w * (0.5 - r), w * (0.5 - r), w * (0.5 + r), w * (0.5 + r)), -45, 45,
                  fill=draw.colour("white"), width=int(w * 0.06))
    picture = big.resize((size, size), Image.LANCZOS)
    return picture if on else draw.centre_on(picture, cross(size // 2, "red"), dx=size // 5)


def frame_icon(size, full):
    s = draw.SUPERSAMPLE
    big = Image.new("RGBA", (size * s, size * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    w = size * s
    m = w * (0.12 if full else 0.25)
    d.rounded_rectangle((m, m, w - m, w - m), radius=w * 0.08, outline=draw.colour("ink"), width=int(w * 0.16))
    d.rounded_rectangle((m, m, w - m, w - m), radius=w * 0.08, outline=draw.colour("white"), width=int(w * 0.08))
    return big.resize((size, size), Image.LANCZOS)


def animal(size, body, ears, face, muzzle, mane=None):
    """A round animal head: ears, optional mane, face, eyes and muzzle."""
    s = draw.SUPERSAMPLE
    w = size * s
    big = Image.new("RGBA", (w, w), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    ink = draw.colour("ink")
    if mane:
        d.ellipse((0, 0, w - 1, w - 1), fill=ink)
        d.ellipse((w * 0.03, w * 0.03, w * 0.97, w * 0.97), fill=draw.colour(mane))
    for x in (0.12, 0.64):
        d.ellipse((w * x, w * 0.06, w * (x + 0.26), w * 0.32), fill=ink)
        d.ellipse((w * (x + 0.03), w * 0.09, w * (x + 0.23), w * 0.29), fill=draw.colour(ears))
    d.ellipse((w * 0.14, w * 0.16, w * 0.86, w * 0.9), fill=ink)
    d.ellipse((w * 0.17, w * 0.19, w * 0.83, w * 0.87), fill=draw.colour(body))
    for x in (0.33, 0.57):
        d.ellipse((w * (x - 0.07), w * 0.36, w * (x + 0.07), w * 0.52), fill=draw.colour(face))
        d.ellipse((w * (x - 0.035), w * 0.41, w * (x + 0.035), w * 0.5), fill=ink)
    d.ellipse((w * 0.34, w * 0.54, w * 0.66, w * 0.78), fill=draw.colour(muzzle))
    d.ellipse((w * 0.45, w * 0.57, w * 0.55, w * 0.63), fill=ink)
    return big.resize((size, size), Image.LANCZOS)


def catapult(width, height):
    s = draw.SUPERSAMPLE
    W, H = width * s, height * s
    big = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    wood, dark, ink = (196, 120, 52, 255), (130, 74, 30, 255), draw.colour("ink")
    d.rounded_rectangle((W * 0.05, H * 0.7, W * 0.95, H * 0.95), radius=H * 0.08, fill=ink)
    d.rounded_rectangle((W * 0.07, H * 0.72, W * 0.93, H * 0.93), radius=H * 0.07, fill=wood)
    d.line(((W * 0.3, H * 0.72), (W * 0.85, H * 0.12)), fill=ink, width=int(H * 0.14))
    d.line(((W * 0.3, H * 0.72), (W * 0.85, H * 0.12)), fill=dark, width=int(H * 0.09))
    d.ellipse((W * 0.72, H * 0.02, W * 0.98, H * 0.24), fill=ink)
    d.ellipse((W * 0.74, H * 0.04, W * 0.96, H * 0.22), fill=wood)
    for x in (0.2, 0.8):
        d.ellipse((W * (x - 0.09), H * 0.78, W * (x + 0.09), H * 1.0 - 1), fill=ink)
        d.ellipse((W * (x - 0.07), H * 0.81, W * (x + 0.07), H * 0.97), fill=draw.colour("yellow"))
    return big.resize((width, height), Image.LANCZOS)


def paper(width, height, used):
    picture = draw.panel(width, height, fill="cream" if used else (255, 240, 200, 255), outline="orange",
                         radius=18, gloss=False)
    if not used:
        picture = draw.centre_on(picture, draw.badge(92, fill="green"), dy=-22)
        picture = draw.centre_on(picture, draw.label("+", 80), dy=-28)
        picture = draw.centre_on(picture, caption("NEW", 34), dy=64)
    return picture


def tile(width, height, open_):
    if open_:
        return draw.panel(width, height, fill="yellow", outline="white", radius=20)
    picture = draw.panel(width, height, fill=(150, 160, 175, 255), outline="white", radius=20)
    s = draw.SUPERSAMPLE
    big = Image.new("RGBA", (60 * s, 70 * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    d.arc((12 * s, 2 * s, 48 * s, 44 * s), 180, 360, fill=draw.colour("ink"), width=8 * s)
    d.rounded_rectangle((4 * s, 28 * s, 56 * s, 68 * s), radius=8 * s, fill=draw.colour("ink"))
    d.rounded_rectangle((8 * s, 32 * s, 52 * s, 64 * s), radius=6 * s, fill=(230, 230, 240, 255))
    return draw.centre_on(picture, big.resize((60, 70), Image.LANCZOS), dy=-10)


def marker(width, height):
    s = draw.SUPERSAMPLE
    W, H = width * s, height * s
    big = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    ink = draw.colour("ink")
    d.polygon([(W * 0.18, H * 0.45), (W * 0.82, H * 0.45), (W * 0.5, H - 1)], fill=ink)
    d.ellipse((0, 0, W - 1, W - 1), fill=ink)
    d.ellipse((W * 0.08, W * 0.08, W * 0.92, W * 0.92), fill=draw.colour("red"))
    d.polygon([(W * 0.25, H * 0.5), (W * 0.75, H * 0.5), (W * 0.5, H * 0.92)], fill=draw.colour("red"))
    d.ellipse((W * 0.32, W * 0.32, W * 0.68, W * 0.68), fill=draw.colour("white"))
    return big.resize((width, height), Image.LANCZOS)


def carrot_sign(width, height):
    picture = draw.panel(width, height, fill=(150, 95, 45, 255), outline="cream", radius=16)
    s = draw.SUPERSAMPLE
    big = Image.new("RGBA", (50 * s, 100 * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    d.polygon([(5 * s, 25 * s), (45 * s, 25 * s), (25 * s, 99 * s)], fill=draw.colour("orange"))
    d.polygon([(25 * s, 25 * s), (10 * s, 0), (25 * s, 12 * s), (40 * s, 0)], fill=draw.colour("green"))
    picture = draw.centre_on(picture, big.resize((50, 100), Image.LANCZOS).rotate(-35, expand=True), dx=-50)
    return draw.centre_on(picture, caption("BONUS", 30), dx=30)


MENU_PICTURES = [
    ("board", lambda: draw.panel(880, 540, fill="blue", outline="white", radius=40, outline_width=6, shadow=10)),
    ("logo", lambda: _on_panel(440, 150, "orange", "PLOVENDRA", 64, radius=44, outline_width=6)),
    ("catapult", lambda: catapult(260, 160)),
    ("frog", lambda: animal(140, "green", "green", "white", "lime")),
    ("lion", lambda: animal(140, "yellow", "orange", "white", "cream", mane="orange")),
    ("panda", lambda: animal(140, "white", "ink", "ink", "cream")),
    ("button_quest", lambda: button("PLAY", 340, 90, "green")),
    ("button_zen", lambda: button("ZEN", 340, 90, "purple")),
    ("button_freeplay", lambda: button("FREE PLAY", 340, 90, "orange")),
    ("button_highscores", lambda: button("SCORES", 220, 64, "sky")),
    ("button_credits", lambda: button("CREDITS", 220, 64, "sky")),
    ("button_quitgame", lambda: button("QUIT", 220, 64, "red")),
    ("button_profile", lambda: button("PROFILES", 220, 64, "pink")),
    ("button_back", lambda: round_button(90, "orange", draw.arrow(54, 44, direction="left"))),
    ("sound_on", lambda: round_button(72, "green", speaker(44, True))),
    ("sound_off", lambda: round_button(72, (150, 160, 175), speaker(44, False))),
    ("fullscreen", lambda: frame_icon(44, True)),
    ("window", lambda: frame_icon(44, False)),
    ("paper_empty", lambda: paper(200, 250, False)),
    ("paper_used", lambda: paper(200, 250, True)),
    ("delete", lambda: round_button(56, "red", cross(26))),
    ("name_sign", lambda: draw.centre_on(draw.panel(700, 300, fill="blue", radius=36, outline_width=6),
                                         caption("ENTER YOUR NAME", 40), dy=-100)),
    ("button_ok", lambda: button("OK", 200, 72, "green")),
    ("text_field", lambda: draw.panel(560, 80, fill="cream", outline="orange", radius=20, gloss=False)),
    ("button_toggle_localglobal", lambda: button("LOCAL / GLOBAL", 260, 56, "sky")),
    ("copyright", lambda: caption("\u00a9 2026 THE PLOVENDRA TEAM", 20)),
    ("vorn", lambda: caption("MADE WITH VORN", 20)),
    ("gamecenter", lambda: round_button(48, "purple", draw.star(30))),
    ("welkanto", lambda: button("WELKANTO", 200, 80, "pink")),
    ("button_signin", lambda: button("SIGN IN", 300, 64, "purple")),
    # The chooser's title is a picture of its own (last in the list), placed in the strip above the tiles.
    ("sheet", lambda: draw.panel(1100, 760, fill=SHEET_FILL, outline="white", radius=44, outline_width=8, shadow=12)),
    ("tile_locked", lambda: tile(170, 150, False)),
    ("tile_open", lambda: tile(170, 150, True)),
    ("star_empty", lambda: draw.star(40, fill=(120, 120, 135, 255))),
    ("star_full", lambda: draw.star(40)),
    ("arrow_left", lambda: round_button(100, "blue", draw.arrow(60, 50, direction="left"))),
    ("arrow_right", lambda: round_button(100, "blue", draw.arrow(60, 50))),
    ("button_close", lambda: round_button(90, "red", cross(40))),
    ("marker", lambda: marker(64, 80)),
    ("spare", lambda: draw.badge(16)),
    ("play_now", lambda: button("PLAY NOW!", 300, 120, "green")),
    ("map_menu", lambda: draw.centre_on(draw.panel(200, 120, fill=(150, 95, 45, 255), outline="cream", radius=18),
                                        draw.arrow(70, 50, direction="left"), dy=-22)),
    ("carrot", lambda: carrot_sign(200, 140)),
    ("levelscleared", lambda: draw.panel(480, 280, fill="purple", outline="yellow", radius=36, outline_width=8)),
    ("button_save_quit", lambda: button("SAVE & QUIT", 240, 64, "red")),
    ("hint_click", lambda: caption("CLICK THE MAP TO CHOOSE A STAGE", 26)),
    ("hint_tap", lambda: caption("TAP THE MAP TO CHOOSE A STAGE", 26)),
    ("header_local", lambda: button("HIGH SCORES", 600, 70, "orange")),
    ("header_online", lambda: button("GLOBAL HIGH SCORES", 600, 70, "purple")),
    ("opt_out_tap", lambda: button("TAP HERE TO LEAVE THE GLOBAL LIST", 540, 45, "red")),
    ("block_score", lambda: caption("TOTAL SCORE", 30, "yellow")),
    ("block_stars", lambda: caption("STARS", 30, "yellow")),
    ("block_time", lambda: caption("CAMPAIGN TIME", 30, "yellow")),
    ("block_zen_score", lambda: caption("ZEN SCORE", 30, "yellow")),
    ("block_zen_rings", lambda: caption("ZEN RINGS", 30, "yellow")),
    ("block_zen_time", lambda: caption("ZEN TIME", 30, "yellow")),
    ("sheet_title", lambda: caption("CHOOSE A STAGE", 34)),
    ("opt_out_click", lambda: button("CLICK HERE TO LEAVE THE GLOBAL LIST", 540, 45, "red")),
]

END_PICTURES = [
    ("trophy", lambda: trophy(300)),
    ("banner", lambda: button("ALL STAGES CLEARED!", 760, 120, "purple")),
    ("button_continue", lambda: button("CONTINUE", 320, 80, "green")),
    ("info", lambda: draw.panel(900, 460, fill="blue", outline="white", radius=40, outline_width=6)),
    ("button_done", lambda: button("DONE", 320, 80, "orange")),
]


def trophy(size):
    s = draw.SUPERSAMPLE
    w = size * s
    big = Image.new("RGBA", (w, w), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    ink, gold = draw.colour("ink"), draw.colour("yellow")
    for colour, grow in ((ink, 0.02), (gold, 0.0)):
        g = w * grow
        d.ellipse((w * 0.08 - g, w * 0.12 - g, w * 0.36 + g, w * 0.42 + g), outline=colour, width=int(w * 0.05))
        d.ellipse((w * 0.64 - g, w * 0.12 - g, w * 0.92 + g, w * 0.42 + g), outline=colour, width=int(w * 0.05))
        d.pieslice((w * 0.2 - g, -w * 0.25 - g, w * 0.8 + g, w * 0.65 + g), 0, 180, fill=colour)
        d.rectangle((w * 0.44 - g, w * 0.6 - g, w * 0.56 + g, w * 0.8 + g), fill=colour)
        d.rounded_rectangle((w * 0.28 - g, w * 0.8 - g, w * 0.72 + g, w * 0.95 + g), radius=w * 0.03, fill=colour)
    picture = big.resize((size, size), Image.LANCZOS)
    return draw.centre_on(picture, draw.star(size // 4, fill="white"), dy=-size // 10)


def pack(pictures):
    return atlas.pack([atlas.Picture(name, make()) for name, make in pictures])


def one_picture(sheet, name):
    """An atlas of the sheet's one picture of that name: the variants of a picture that a
    resource's conditions choose between."""
    return atlas.Sheet(sheet.image, [item for item in sheet.placed if item.picture.name == name])


def menu_background():
    """Sky over rolling hills, drawn at 1024 x 512 and stretched over the screen."""
    width, height = 1024, 512
    image = draw.gradient(width, height, MENU_SKY_TOP, MENU_SKY_BOTTOM)
    d = ImageDraw.Draw(image)
    for base, amplitude, period, colour in ((330, 30, 420, (140, 215, 90, 255)), (380, 24, 300, (96, 180, 60, 255)),
                                            (440, 18, 520, (70, 150, 45, 255))):
        points = [(x, base + amplitude * math.sin(x * 2 * math.pi / period)) for x in range(0, width + 8, 8)]
        d.polygon(points + [(width, height), (0, height)], fill=colour)
    rng = random.Random(24)
    for _ in range(7):
        x, y, r = rng.randrange(60, width - 60), rng.randrange(40, 200), rng.randrange(28, 48)
        for dx in (-r, 0, r):
            d.ellipse((x + dx - r, y - r * 0.7, x + dx + r, y + r * 0.7), fill=(255, 255, 255, 235))
    return image


def map_picture():
    """The island map with the stage path through the marker table, at 1280 x 800 on a
    2048 x 1024 canvas."""
    image = Image.new("RGBA", (2048, 1024), (0, 0, 0, 0))
    image.paste(MAP_SEA, (0, 0, SCREEN_W, SCREEN_H))
    d = ImageDraw.Draw(image)
    rng = random.Random(101)
    for _ in range(60):
        x, y = rng.randrange(0, SCREEN_W), rng.randrange(0, SCREEN_H)
        d.arc((x - 14, y - 6, x + 14, y + 6), 200, 340, fill=(90, 160, 230, 255), width=2)
    points = [(640 + x, 400 - y) for x, y in MARKER_TABLE]
    # The island: a union of blobs along the path, with a sandy shore.
    for grow, colour in ((120, (236, 214, 150, 255)), (100, MAP_LAND)):
        for i, (x, y) in enumerate(points[::3]):
            r = grow + 20 * math.sin(i * 1.7)
            d.ellipse((x - r, y - r, x + r, y + r), fill=colour)
    for i in range(40):
        x, y = rng.randrange(120, SCREEN_W - 120), rng.randrange(120, SCREEN_H - 120)
        if image.getpixel((x, y)) == MAP_LAND:
            d.ellipse((x - 12, y - 12, x + 12, y + 12), fill=(60, 140, 40, 255))
    d.line(points[1:], fill=(120, 72, 30, 255), width=9, joint="curve")
    d.line(points[1:], fill=(230, 190, 120, 255), width=5, joint="curve")
    for stage, (x, y) in enumerate(points):
        if stage == 0:
            continue
        r = 9 if stage % 10 == 0 else 5
        d.ellipse((x - r, y - r, x + r, y + r), fill=draw.colour("ink"))
        d.ellipse((x - r + 2, y - r + 2, x + r - 2, y + r - 2),
                  fill=draw.colour("yellow") if stage % 10 == 0 else draw.colour("white"))
    return image


def end_background():
    width, height = 1024, 512
    image = draw.gradient(width, height, (40, 30, 110, 255), (190, 70, 160, 255))
    d = ImageDraw.Draw(image)
    rng = random.Random(8)
    for _ in range(90):
        x, y, r = rng.randrange(width), rng.randrange(height), rng.choice((1, 2, 2, 3))
        d.ellipse((x - r, y - r, x + r, y + r), fill=(255, 240, 180, 255))
    return image


def sign_font():
    return font.rasterise(SIGN_FONT_SIZE, bold=True, stroke="ink", stroke_width=3)
