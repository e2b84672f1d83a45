"""The background packages: for each campaign scenery one namespace "<bg id>" hung into the
play field's frame buffer, holding the "screen" (a plane sequence of eight variants of the
scenery, one per background variant a level may choose) and a pool of decoration copies
("asset0".."asset<n-1>") showing pictures of the scenery's asset atlas. The zen scenery is a
single plane.

Screen frames are unit-sized rectangles: the play field scales the screen to the visible area.
Decorations keep their size in pixels (1 unit = 1 pixel at 1280 x 800). Everything is drawn
from fixed seeds, so the same sources give the same bytes."""

import math
import os
import random

from PIL import Image, ImageDraw, ImageFilter

from vorncontent import atlas, draw

# Copies of the decoration template in each package: more than the busiest level places.
ASSET_POOL = 250
SCREEN_FRAMES = 8
FRAME_W, FRAME_H = 400, 250
SHEET = 1024

# Per scenery: sky top and bottom, ground colours (far, near), accent, and the kinds of
# decorations, by picture index (the level generator picks indices from ASSET_KINDS).
THEMES = {
    "bg_autumn": {
        "sky": ((255, 186, 120), (255, 228, 180)),
        "ground": ((196, 120, 52), (150, 84, 36)),
        "accent": (230, 90, 30),
    },
    "bg_beach": {
        "sky": ((80, 180, 255), (190, 235, 255)),
        "ground": ((40, 150, 210), (240, 214, 150)),
        "accent": (255, 240, 200),
    },
    "bg_grass": {
        "sky": ((110, 200, 255), (210, 240, 255)),
        "ground": ((120, 200, 70), (76, 160, 40)),
        "accent": (255, 230, 80),
    },
    "bg_ice": {
        "sky": ((150, 190, 240), (230, 240, 255)),
        "ground": ((220, 235, 250), (190, 215, 240)),
        "accent": (120, 170, 230),
    },
}

# Decoration pictures of each scenery (names only document the atlas order).
ASSET_KINDS = {
    "bg_autumn": ["tree_orange", "tree_red", "tree_yellow", "bush_brown", "leaves", "mushroom", "pumpkin",
                  "stone", "fence", "flower_orange", "stump", "hay"],
    "bg_beach": ["palm", "palm_small", "shell", "starfish", "umbrella", "stone", "ball", "crab", "sandcastle",
                 "grass_dune", "boat", "flower_pink"],
    "bg_grass": ["tree_round", "tree_tall", "bush", "flower_red", "flower_yellow", "flower_blue", "stone",
                 "fence", "mushroom", "stump", "tulip", "hedge"],
    "bg_ice": ["pine_snow", "pine_small", "ice_block", "snowman", "igloo", "stone_snow", "crystal", "snow_heap",
               "fence_snow", "icicle_rock", "penguin", "sled"],
}


def _mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def _shade(c, amount):
    return tuple(max(0, min(255, int(v * amount))) for v in c[:3])


def _frame(bg, variant):
    """One variant of a scenery: the same landscape at another hour and with other hills."""
    theme = THEMES[bg]
    rng = random.Random(f"{bg}/{variant}")
    # Variants 0-3 day, 4-5 evening, 6 dusk, 7 morning haze.
    light = [1.0, 0.97, 0.94, 1.0, 0.86, 0.8, 0.7, 0.92][variant]
    warm = [0.0, 0.05, 0.0, 0.1, 0.3, 0.4, 0.2, 0.0][variant]
    top, bottom = theme["sky"]
    top = _mix(_shade(top, light), (255, 150, 90), warm * 0.5)
    bottom = _mix(_shade(bottom, light), (255, 200, 140), warm)
    s = 2
    w, h = FRAME_W * s, FRAME_H * s
    image = draw.gradient(w, h, top + (255,), bottom + (255,))
    pen = ImageDraw.Draw(image)
    # A sun low or high.
    sx, sy = rng.uniform(0.15, 0.85) * w, (0.12 + 0.06 * (variant % 4)) * h
    sun = (255, 250, 210) if warm < 0.2 else (255, 200, 120)
    pen.ellipse([sx - 28 * s, sy - 28 * s, sx + 28 * s, sy + 28 * s], fill=sun + (255,))
    far, near = theme["ground"]
    far, near = _shade(far, light), _shade(near, light)
    # Three rows of rolling hills, far to near.
    for row, (base, amp) in enumerate(((0.42, 0.06), (0.55, 0.05), (0.7, 0.04))):
        colour = _mix(far, near, row / 2)
        points = [(0, h)]
        phase = rng.uniform(0, math.tau)
        waves = rng.uniform(1.5, 3.0)
        for x in range(0, w + 8, 8):
            y = (base + amp * math.sin(phase + waves * math.tau * x / w)) * h
            points.append((x, y))
        points.append((w, h))
        pen.polygon(points, fill=colour + (255,))
    # Soft accents scattered on the near ground.
    accent = _shade(theme["accent"], light)
    for _ in range(40):
        x, y = rng.uniform(0, w), rng.uniform(0.72, 1.0) * h
        r = rng.uniform(2, 5) * s
        pen.ellipse([x - r, y - r * 0.6, x + r, y + r * 0.6], fill=accent + (160,))
    image = image.filter(ImageFilter.GaussianBlur(1.2))
    return image.resize((FRAME_W, FRAME_H), Image.LANCZOS)


def _screen_sheet(bg):
    sheet = Image.new("RGB", (SHEET, SHEET), (0, 0, 0))
    rects = []
    for variant in range(SCREEN_FRAMES):
        col, row = variant % 2, variant // 2
        x, y = 8 + col * (FRAME_W + 16), 4 + row * (FRAME_H + 4)
        sheet.paste(_frame(bg, variant).convert("RGB"), (x, y))
        # Half a texel in from the edge: the frame never samples its neighbour.
        rects.append(((x + 0.5) / SHEET, (y + 0.5) / SHEET, (x + FRAME_W - 0.5) / SHEET, (y + FRAME_H - 0.5) / SHEET))
    lines = ["<Atlas>"]
    for number, (u1, v1, u2, v2) in enumerate(rects):
        lines.append(f'  <!-- variant {number} -->\n'
                     f'  <Rectangle texCoordU1="{u1:.6f}" texCoordV1="{v1:.6f}" texCoordU2="{u2:.6f}" '
                     f'texCoordV2="{v2:.6f}" coordX1="-0.5" coordY1="0.5" coordX2="0.5" coordY2="-0.5"/>')
    lines.append("</Atlas>")
    return sheet, "\n".join(lines) + "\n"


def _tree(size, crown, trunk=(110, 70, 40), snow=False, tall=False):
    w, h = size
    image = draw._big(w, h)
    pen = ImageDraw.Draw(image)
    k = draw.SUPERSAMPLE
    W, H = w * k, h * k
    pen.rounded_rectangle([W * 0.44, H * 0.55, W * 0.56, H], radius=W * 0.04, fill=trunk + (255,))
    if tall:
        for i in range(3):
            y0 = H * (0.05 + 0.2 * i)
            spread = W * (0.25 + 0.12 * i)
            pen.polygon([(W / 2, y0), (W / 2 - spread, y0 + H * 0.35), (W / 2 + spread, y0 + H * 0.35)],
                        fill=_shade(crown, 1.0 - 0.08 * i) + (255,))
            if snow:
                pen.polygon([(W / 2, y0), (W / 2 - spread * 0.45, y0 + H * 0.16), (W / 2 + spread * 0.45,
                                                                                    y0 + H * 0.16)],
                            fill=(250, 252, 255, 255))
    else:
        pen.ellipse([W * 0.08, H * 0.02, W * 0.92, H * 0.7], fill=crown + (255,))
        pen.ellipse([W * 0.2, H * 0.08, W * 0.6, H * 0.38], fill=_mix(crown, (255, 255, 255), 0.25) + (255,))
    return draw._small(image, w, h)


def _blob(size, fill, highlight=True, outline=None):
    w, h = size
    image = draw._big(w, h)
    pen = ImageDraw.Draw(image)
    k = draw.SUPERSAMPLE
    W, H = w * k, h * k
    pen.ellipse([W * 0.04, H * 0.1, W * 0.96, H * 0.96], fill=fill + (255,),
                outline=(outline + (255,)) if outline else None, width=3 * k if outline else 0)
    if highlight:
        pen.ellipse([W * 0.22, H * 0.2, W * 0.5, H * 0.42], fill=_mix(fill, (255, 255, 255), 0.45) + (255,))
    return draw._small(image, w, h)


def _flower(size, petals, centre=(255, 220, 60)):
    w, h = size
    image = draw._big(w, h)
    pen = ImageDraw.Draw(image)
    k = draw.SUPERSAMPLE
    W, H = w * k, h * k
    pen.line([(W / 2, H * 0.5), (W / 2, H)], fill=(60, 140, 40, 255), width=3 * k)
    r = W * 0.16
    for i in range(6):
        a = i * math.tau / 6
        cx, cy = W / 2 + math.cos(a) * r * 1.3, H * 0.32 + math.sin(a) * r * 1.3
        pen.ellipse([cx - r, cy - r, cx + r, cy + r], fill=petals + (255,))
    pen.ellipse([W / 2 - r, H * 0.32 - r, W / 2 + r, H * 0.32 + r], fill=centre + (255,))
    return draw._small(image, w, h)


def _star(size, fill):
    return draw.star(size[0], fill=fill + (255,), outline=_shade(fill, 0.7) + (255,))


def _box(size, fill, roof=None):
    w, h = size
    image = draw._big(w, h)
    pen = ImageDraw.Draw(image)
    k = draw.SUPERSAMPLE
    W, H = w * k, h * k
    top = H * 0.35 if roof else H * 0.05
    pen.rounded_rectangle([W * 0.08, top, W * 0.92, H * 0.98], radius=W * 0.1, fill=fill + (255,),
                          outline=_shade(fill, 0.75) + (255,), width=2 * k)
    if roof:
        pen.polygon([(W * 0.02, top + 2), (W / 2, H * 0.02), (W * 0.98, top + 2)], fill=roof + (255,))
    return draw._small(image, w, h)


def _asset_picture(bg, index):
    """Picture `index` of a scenery's decorations; shapes from a few families, coloured by kind."""
    name = ASSET_KINDS[bg][index]
    leaf = {"bg_autumn": (226, 120, 40), "bg_beach": (60, 170, 80), "bg_grass": (70, 170, 50),
            "bg_ice": (40, 110, 80)}[bg]
    table = {
        "tree_orange": lambda: _tree((120, 150), (236, 136, 40)),
        "tree_red": lambda: _tree((110, 140), (210, 70, 40)),
        "tree_yellow": lambda: _tree((100, 130), (240, 200, 50)),
        "tree_round": lambda: _tree((120, 150), (80, 180, 60)),
        "tree_tall": lambda: _tree((90, 160), (50, 140, 60), tall=True),
        "pine_snow": lambda: _tree((100, 160), (40, 110, 80), snow=True, tall=True),
        "pine_small": lambda: _tree((70, 110), (50, 120, 90), snow=True, tall=True),
        "palm": lambda: _tree((110, 170), (70, 180, 80), trunk=(170, 120, 70)),
        "palm_small": lambda: _tree((80, 120), (90, 190, 90), trunk=(170, 120, 70)),
        "bush_brown": lambda: _blob((90, 60), (170, 100, 50)),
        "bush": lambda: _blob((90, 60), (60, 160, 60)),
        "hedge": lambda: _blob((130, 60), (50, 140, 50)),
        "grass_dune": lambda: _blob((110, 50), (160, 190, 90)),
        "snow_heap": lambda: _blob((110, 55), (245, 250, 255)),
        "leaves": lambda: _blob((80, 40), (220, 110, 40)),
        "hay": lambda: _blob((90, 70), (230, 200, 100)),
        "stone": lambda: _blob((60, 45), (150, 150, 160)),
        "stone_snow": lambda: _blob((60, 45), (180, 190, 210)),
        "icicle_rock": lambda: _blob((70, 60), (130, 160, 200)),
        "ball": lambda: _blob((48, 48), (240, 70, 70), outline=(255, 255, 255)),
        "mushroom": lambda: _box((50, 60), (245, 240, 230), roof=(220, 50, 50)),
        "pumpkin": lambda: _blob((64, 54), (245, 140, 20)),
        "fence": lambda: _box((120, 50), (190, 140, 90)),
        "fence_snow": lambda: _box((120, 50), (170, 130, 100)),
        "stump": lambda: _box((50, 40), (140, 95, 60)),
        "flower_orange": lambda: _flower((44, 60), (255, 150, 40)),
        "flower_red": lambda: _flower((44, 60), (235, 60, 60)),
        "flower_yellow": lambda: _flower((44, 60), (255, 220, 40), centre=(200, 120, 30)),
        "flower_blue": lambda: _flower((44, 60), (80, 140, 255)),
        "flower_pink": lambda: _flower((44, 60), (255, 110, 180)),
        "tulip": lambda: _flower((40, 64), (200, 60, 160)),
        "shell": lambda: _blob((50, 40), (255, 210, 200)),
        "starfish": lambda: _star((50, 50), (255, 130, 80)),
        "crystal": lambda: _star((50, 50), (160, 220, 255)),
        "umbrella": lambda: _box((100, 110), (250, 250, 250), roof=(235, 64, 52)),
        "crab": lambda: _blob((60, 40), (230, 80, 50)),
        "sandcastle": lambda: _box((90, 90), (230, 200, 130), roof=(220, 180, 110)),
        "boat": lambda: _box((110, 70), (240, 240, 250), roof=(41, 121, 255)),
        "ice_block": lambda: _box((70, 60), (190, 225, 255)),
        "snowman": lambda: _blob((60, 90), (250, 252, 255)),
        "igloo": lambda: _box((120, 80), (240, 246, 255), roof=(225, 235, 250)),
        "penguin": lambda: _blob((44, 64), (40, 40, 60)),
        "sled": lambda: _box((90, 40), (200, 60, 50)),
    }
    return table.get(name, lambda: _blob((60, 60), leaf))()


def _graph(bg):
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- The scenery "{bg}" in the play field's frame buffer: the screen (one frame per background
     variant, unit-sized, scaled by the play field) under a pool of decorations. -->
<Graph>
  <Namespace id="{bg}">
    <FixedProgram id="program" textureUnit0Enabled="yes" lightingEnabled="no"/>
    <Material id="material" programId="program" depthBufferMode="NONE" blendMode="ALPHA"/>
    <MaterialSlot id="material_slot" materialId="material" slot="0"/>
    <Parameters id="plain" diffuseColor="1,1,1,1" ambientColor="1,1,1,1"/>
    <ParametersSlot id="plain_slot" parametersId="plain" slot="0"/>
    <FlatTexture id="screen_texture" bitmapResourceId="{bg}:img_screen" horizontalWrapMode="CLAMP_TO_EDGE" verticalWrapMode="CLAMP_TO_EDGE"/>
    <FlatTexture id="asset_texture" bitmapResourceId="{bg}:img_assets" horizontalWrapMode="CLAMP_TO_EDGE" verticalWrapMode="CLAMP_TO_EDGE"/>
    <TextureSlot id="screen_slot" textureId="screen_texture" slot="0"/>
    <DisplayPlaneSequence id="screen" depthOrder="-1000" atlasResourceId="{bg}:atlas_screen" index="0" scaleFactorX="1280" scaleFactorY="800"/>
    <TextureSlot id="asset_slot" textureId="asset_texture" slot="0"/>
    <Instance id="asset_container" graphResourceId="{bg}:graph_asset" replications="{ASSET_POOL}"/>
  </Namespace>
</Graph>
"""


def _asset_template(bg):
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- One decoration of "{bg}": the level places it and picks its picture. -->
<Graph>
  <DisplayPlaneSequence id="asset{{replication}}" activeAndVisible="no" atlasResourceId="{bg}:atlas_assets" index="0"/>
</Graph>
"""


def _write(path, text):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


def campaign(out, bg):
    """Writes the whole package folder of a campaign scenery."""
    sheet, atlas_xml = _screen_sheet(bg)
    sheet.save(os.path.join(out, "screen.png"), optimize=False)
    _write(os.path.join(out, "screen_atlas.xml"), atlas_xml)
    pictures = [atlas.Picture(name, _asset_picture(bg, i)) for i, name in enumerate(ASSET_KINDS[bg])]
    atlas.pack(pictures).save(os.path.join(out, "assets.png"), os.path.join(out, "assets_atlas.xml"))
    _write(os.path.join(out, "graph_bg.xml"), _graph(bg))
    _write(os.path.join(out, "graph_asset.xml"), _asset_template(bg))


def zen(out):
    """Writes the zen scenery: one calm picture on a plane."""
    w, h = 512, 512
    image = draw.gradient(w, h, (40, 70, 120, 255), (120, 170, 200, 255))
    pen = ImageDraw.Draw(image)
    rng = random.Random("bg_zen")
    for i in range(7):
        y = h * (0.45 + 0.08 * i)
        c = (60 + 12 * i, 110 + 10 * i, 150 + 6 * i, 255)
        points = [(0, h)] + [(x, y + 10 * math.sin(x / 60 + rng.uniform(0, 6))) for x in range(0, w + 8, 8)] + [(w, h)]
        pen.polygon(points, fill=c)
    pen.ellipse([w * 0.68, h * 0.12, w * 0.82, h * 0.26], fill=(250, 240, 210, 255))
    image = image.filter(ImageFilter.GaussianBlur(1.5)).convert("RGB")
    image.save(os.path.join(out, "screen.png"), optimize=False)
    _write(os.path.join(out, "graph_bg.xml"), """<?xml version="1.0" encoding="UTF-8"?>
<!-- The zen scenery in the play field's frame buffer: one plane, scaled by the play field. -->
<Graph>
  <Namespace id="bg_zen">
    <FixedProgram id="program" textureUnit0Enabled="yes" lightingEnabled="no"/>
    <Material id="material" programId="program" depthBufferMode="NONE" blendMode="ALPHA"/>
    <MaterialSlot id="material_slot" materialId="material" slot="0"/>
    <Parameters id="plain" diffuseColor="1,1,1,1" ambientColor="1,1,1,1"/>
    <ParametersSlot id="plain_slot" parametersId="plain" slot="0"/>
    <FlatTexture id="screen_texture" bitmapResourceId="bg_zen:img_screen" horizontalWrapMode="CLAMP_TO_EDGE" verticalWrapMode="CLAMP_TO_EDGE"/>
    <TextureSlot id="screen_slot" textureId="screen_texture" slot="0"/>
    <DisplayPlane id="screen" depthOrder="-1000" scaleFactorX="1280" scaleFactorY="800"/>
  </Namespace>
</Graph>
""")
