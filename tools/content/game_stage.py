"""The game screen: its pictures (package "game_<class>", id "game") and its graphs (package
"game_common"): the stage "/stage_game" with the signs, score bar, launcher, tutorial, airstrike
button and the containers of the play field's pools, and "/framebuffer", the namespace of what
lies under the play field (background, rocks, launcher base).

Scene positions are pixels at 1280 x 800 with the origin in the screen's centre and y up. Texts
use the application's fonts ("app:font_sign", "app:font_text"). The graphs select pictures of
"game:atlas_stage" by name through STAGE_INDEX, so the order of STAGE_PICTURES only has to match
between the two packages, which both read it from here.

Depth orders: launcher shadow 19500 and tube 20000 (below the held animals at 25000 and up),
courses, animals and effects from 100000 (set by the code), airstrike button 650000, tutorial
concealer 690000 and hint 695000, score bar 700000/850000 (code), hurry-up and skull 860000,
signs 880000 (the pause sign's particles at 900010 fly over it). Under the play field, in
"/framebuffer": background 0 and its assets, rocks 5000, launcher base 6000.
"""

import os
import re
import struct
from xml.sax.saxutils import escape

from PIL import Image, ImageDraw

from vorncontent import atlas, draw, font

# The pools' templates and how many copies each container holds; a container whose template
# the package does not declare yet stays an empty node.
POOLS = [
    # (container id, template resource id in game_common, copies)
    ("course_container", "graph_course", 50),
    ("animal_container", "graph_animal", 200),
    ("iceexplosion_container", "graph_iceexplosion", 20),
    ("ashexplosion_container", "graph_ashexplosion", 20),
    ("obstacle_container", "graph_obstacle", 20),
    ("weapon_container", "graph_weapon", 40),
    ("scoretext_container", "graph_scoretext", 20),
    ("clouds_container", "graph_clouds", 60),
]
ROCKS = ("obstacle_container", "graph_rock", 10)

# Application fonts: id, texture node, pixel size, line height, ascent and descent (DejaVu Sans
# Bold at that size).
SIGN_FONT = ("app:font_sign", "/app_textures/tex_font_sign", 44, 52, 41, 11)
TEXT_FONT = ("app:font_text", "/app_textures/tex_font_text", 28, 33, 26, 7)
PLAYER_FONT = ("game:font_player", "/stage_game/player_font_texture", 28, 33, 26, 7)

# The level-start sign grows by 50 units a line of its description; the description's lines
# are 44 apart, so the text grows a little slower than the sign and never reaches the title.
DESCRIPTION_SCALE = 0.66
DESCRIPTION_LINE = 44.0
LEVEL_START_WIDTH = 1000
BOARD_Y = -390  # the end signs' board below their anchor, which the code puts at y 380


def _panel_label(width, height, fill, text, size=None, **options):
    picture = draw.panel(width, height, fill=fill, **options)
    size = size or int(height * 0.5)
    label = draw.label(text, size)
    while label.size[0] > width - 28 and size > 10:
        size -= 2
        label = draw.label(text, size)
    return draw.centre_on(picture, label, dy=-3)


def button(text, width=220, height=80, fill="green"):
    return _panel_label(width, height, fill, text, radius=min(26, height // 3))


def round_icon(size, fill, symbol):
    return draw.centre_on(draw.badge(size, fill=fill), symbol)


def _big(width, height):
    s = draw.SUPERSAMPLE
    return Image.new("RGBA", (width * s, height * s), (0, 0, 0, 0)), s


def _small(image, width, height):
    return image.resize((width, height), Image.LANCZOS)


def pause_symbol(size):
    big, s = _big(size, size)
    d = ImageDraw.Draw(big)
    for x in (0.22, 0.58):
        d.rounded_rectangle((size * s * x, size * s * 0.15, size * s * (x + 0.2), size * s * 0.85),
                            radius=size * s * 0.05, fill=draw.colour("white"))
    return _small(big, size, size)


def speaker(size, on):
    big, s = _big(size, size)
    d = ImageDraw.Draw(big)
    w = size * s
    d.polygon([(w * 0.1, w * 0.38), (w * 0.3, w * 0.38), (w * 0.55, w * 0.15), (w * 0.55, w * 0.85),
               (w * 0.3, w * 0.62), (w * 0.1, w * 0.62)], fill=draw.colour("white"))
    if on:
        for r in (0.22, 0.36):
            d.arc((w * (0.5 - r), w * (0.5 - r), w * (0.5 + r), w * (0.5 + r)), -45, 45,
                  fill=draw.colour("white"), width=int(w * 0.06))
    else:
        for a, b in (((0.62, 0.32), (0.92, 0.68)), ((0.62, 0.68), (0.92, 0.32))):
            d.line(((w * a[0], w * a[1]), (w * b[0], w * b[1])), fill=draw.colour("red"), width=int(w * 0.09))
    return _small(big, size, size)


def skull(size):
    big, s = _big(size, size)
    d = ImageDraw.Draw(big)
    w = size * s
    ink, bone = draw.colour("ink"), draw.colour("cream")
    for colour, g in ((ink, 0.03), (bone, 0.0)):
        d.ellipse((w * (0.12 - g), w * (0.05 - g), w * (0.88 + g), w * (0.72 + g)), fill=colour)
        d.rounded_rectangle((w * (0.28 - g), w * (0.5 - g), w * (0.72 + g), w * (0.92 + g)), radius=w * 0.06,
                            fill=colour)
    for x in (0.36, 0.64):
        d.ellipse((w * (x - 0.11), w * 0.3, w * (x + 0.11), w * 0.52), fill=ink)
    d.polygon([(w * 0.5, w * 0.55), (w * 0.44, w * 0.66), (w * 0.56, w * 0.66)], fill=ink)
    for x in (0.38, 0.5, 0.62):
        d.line(((w * x, w * 0.76), (w * x, w * 0.92)), fill=ink, width=int(w * 0.03))
    return _small(big, size, size)


def tube(width, height):
    """The launcher's tube, pointing along -x (the code turns it by the aim angle plus half a turn)."""
    big, s = _big(width, height)
    d = ImageDraw.Draw(big)
    W, H = width * s, height * s
    ink = draw.colour("ink")
    d.rounded_rectangle((0, H * 0.18, W * 0.8, H * 0.82), radius=H * 0.18, fill=ink)
    d.rounded_rectangle((W * 0.02, H * 0.24, W * 0.78, H * 0.76), radius=H * 0.14, fill=draw.colour("orange"))
    d.rounded_rectangle((W * 0.02, H * 0.24, W * 0.78, H * 0.42), radius=H * 0.08, fill=draw.lighter("orange", 0.4))
    d.rounded_rectangle((0, H * 0.1, W * 0.14, H * 0.9), radius=H * 0.08, fill=ink)
    d.rounded_rectangle((W * 0.02, H * 0.14, W * 0.12, H * 0.86), radius=H * 0.06, fill=draw.colour("red"))
    d.ellipse((W * 0.6, 0, W - 1, H - 1), fill=ink)
    d.ellipse((W * 0.63, H * 0.06, W * 0.97, H * 0.94), fill=draw.colour("yellow"))
    return _small(big, width, height)


def shadow_of(picture, alpha=90):
    shade = Image.new("RGBA", picture.size, (0, 0, 0, 0))
    mask = picture.split()[3].point(lambda a: a * alpha // 255)
    shade.paste((0, 0, 0, 255), (0, 0), mask)
    return shade


def base_plate(size):
    big, s = _big(size, size)
    d = ImageDraw.Draw(big)
    w = size * s
    d.ellipse((0, 0, w - 1, w - 1), fill=(60, 40, 20, 150))
    d.ellipse((w * 0.08, w * 0.08, w * 0.92, w * 0.92), fill=(150, 100, 50, 255))
    d.ellipse((w * 0.2, w * 0.2, w * 0.8, w * 0.8), fill=(190, 140, 80, 255))
    return _small(big, size, size)


def rocket(size):
    big, s = _big(size, size)
    d = ImageDraw.Draw(big)
    w = size * s
    d.polygon([(w * 0.5, w * 0.05), (w * 0.68, w * 0.35), (w * 0.68, w * 0.75), (w * 0.32, w * 0.75),
               (w * 0.32, w * 0.35)], fill=draw.colour("white"))
    d.polygon([(w * 0.32, w * 0.55), (w * 0.15, w * 0.85), (w * 0.32, w * 0.75)], fill=draw.colour("white"))
    d.polygon([(w * 0.68, w * 0.55), (w * 0.85, w * 0.85), (w * 0.68, w * 0.75)], fill=draw.colour("white"))
    d.polygon([(w * 0.38, w * 0.78), (w * 0.62, w * 0.78), (w * 0.5, w * 0.97)], fill=draw.colour("yellow"))
    return _small(big, size, size)


def strip(width, height, top, bottom):
    picture = draw.gradient(width, height, top, bottom)
    d = ImageDraw.Draw(picture)
    d.line(((0, height - 2), (width, height - 2)), fill=(255, 255, 255, 160), width=2)
    return picture


# The score bar's band for a taller view, one per background kind (autumn, beach, grass, ice).
BAND_COLOURS = [((200, 90, 30, 235), (140, 55, 20, 235)), ((240, 200, 120, 235), (200, 150, 70, 235)),
                ((80, 170, 50, 235), (45, 110, 30, 235)), ((150, 205, 245, 235), (80, 140, 205, 235))]

STAGE_PICTURES = [
    ("board", lambda: draw.panel(780, 560, fill="blue", outline="white", radius=44, outline_width=6, shadow=10)),
    ("title_finished", lambda: draw.label("STAGE CLEARED!", 54, fill="yellow")),
    ("title_failed", lambda: draw.label("STAGE FAILED", 54, fill=(255, 140, 120))),
    ("title_pause", lambda: draw.label("PAUSE", 60, fill="yellow")),
    ("title_zen", lambda: draw.label("ZEN RESULTS", 54, fill=(200, 255, 170))),
    ("star_empty", lambda: draw.star(100, fill=(110, 120, 150, 255))),
    ("star_full", lambda: draw.star(100)),
    ("word_score", lambda: draw.label("SCORE", 30, fill="sky")),
    ("word_time_bonus", lambda: draw.label("TIME BONUS", 30, fill="sky")),
    ("word_total", lambda: draw.label("TOTAL", 36, fill="yellow")),
    ("word_rings", lambda: draw.label("RINGS", 30, fill="sky")),
    ("word_time", lambda: draw.label("TIME", 30, fill="sky")),
    ("button_next", lambda: button("NEXT", fill="green")),
    ("button_replay", lambda: button("REPLAY", fill="orange")),
    ("button_map", lambda: button("MAP", fill="sky")),
    ("button_resume", lambda: button("RESUME", 320, 96, "green")),
    ("button_restart", lambda: button("RESTART", fill="orange")),
    ("sound_on", lambda: round_icon(80, "green", speaker(48, True))),
    ("sound_off", lambda: round_icon(80, (150, 160, 175), speaker(48, False))),
    ("skull", lambda: skull(140)),
    ("hurryup", lambda: _panel_label(460, 120, "red", "HURRY UP!", 64, radius=40, outline_width=6)),
    ("tap_to_start", lambda: draw.label("CLICK TO START", 40, fill="yellow")),
    ("pause_button", lambda: round_icon(48, "orange", pause_symbol(28))),
    ("bar_strip", lambda: strip(510, 56, (20, 30, 70, 210), (40, 70, 150, 210))),
    ("band_autumn", lambda: strip(510, 96, *BAND_COLOURS[0])),
    ("band_beach", lambda: strip(510, 96, *BAND_COLOURS[1])),
    ("band_grass", lambda: strip(510, 96, *BAND_COLOURS[2])),
    ("band_ice", lambda: strip(510, 96, *BAND_COLOURS[3])),
    ("tube", lambda: tube(120, 64)),
    ("tube_shadow", lambda: shadow_of(tube(120, 64))),
    ("base", lambda: base_plate(110)),
    ("tutorial_arrow", lambda: draw.arrow(110, 80, fill="yellow")),
    ("airstrike", lambda: round_icon(100, "red", rocket(64))),
    ("stage_ribbon", lambda: draw.panel(340, 64, fill="orange", radius=30, outline_width=4, shadow=4)),
]
STAGE_INDEX = {name: index for index, (name, _make) in enumerate(STAGE_PICTURES)}


def _animal_dot(d, x, y, r, fill):
    d.ellipse((x - r, y - r, x + r, y + r), fill=draw.colour("ink"))
    d.ellipse((x - r + 3, y - r + 3, x + r - 3, y + r - 3), fill=draw.colour(fill))
    d.ellipse((x - r * 0.45, y - r * 0.4, x - r * 0.1, y - r * 0.05), fill=draw.colour("white"))
    d.ellipse((x + r * 0.1, y - r * 0.4, x + r * 0.45, y - r * 0.05), fill=draw.colour("white"))


def _tip_card(fill):
    return draw.panel(300, 220, fill=fill, outline="white", radius=28, outline_width=5, shadow=6)


def tip_match():
    """Tip of the first stage: shoot an animal onto two of its kind."""
    card = _tip_card("sky")
    d = ImageDraw.Draw(card)
    for i, x in enumerate((70, 120, 170)):
        _animal_dot(d, x, 80, 24, "green" if i < 2 else "pink")
    _animal_dot(d, 220, 170, 24, "green")
    d.line(((210, 150), (160, 105)), fill=draw.colour("ink"), width=9)
    d.line(((210, 150), (160, 105)), fill=draw.colour("yellow"), width=5)
    return draw.centre_on(card, draw.label("MATCH 3!", 30), dy=78)


def tip_bees():
    """Tip of stage 27: bees fly over the rings; hit them to clear the way."""
    card = _tip_card("green")
    d = ImageDraw.Draw(card)
    d.ellipse((110, 50, 190, 110), fill=draw.colour("ink"))
    d.ellipse((114, 54, 186, 106), fill=draw.colour("yellow"))
    for x in (135, 158):
        d.rectangle((x, 54, x + 10, 106), fill=draw.colour("ink"))
    for x in (120, 160):
        d.ellipse((x, 22, x + 34, 52), fill=(230, 245, 255, 230), outline=draw.colour("ink"), width=3)
    return draw.centre_on(card, draw.label("HIT THE BEES!", 30), dy=78)


def tip_weapons():
    """Tip of stage 8: click a weapon to pick it up, then shoot it."""
    card = _tip_card("purple")
    d = ImageDraw.Draw(card)
    d.ellipse((100, 40, 200, 130), fill=draw.colour("ink"))
    d.ellipse((105, 45, 195, 125), fill=draw.colour("red"))
    d.ellipse((130, 60, 170, 100), fill=draw.colour("yellow"))
    d.polygon([(170, 110), (170, 160), (182, 148), (192, 170), (200, 166), (190, 144), (206, 144)],
              fill=draw.colour("white"), outline=draw.colour("ink"))
    return draw.centre_on(card, draw.label("PICK IT UP!", 30), dy=78)


# Drawn at 300 x 220 and shown at 260 x 180, which leaves the sign a margin round them.
TIP_PICTURES = [(name, lambda make=make: make().resize((260, 180), Image.LANCZOS))
                for name, make in (("tip_match", tip_match), ("tip_bees", tip_bees), ("tip_weapons", tip_weapons))]


def level_start_board():
    """The level-start sign's plate, stretched by the code to the lines it holds."""
    return draw.panel(1024, 512, fill="blue", outline="white", radius=36, outline_width=8, shadow=0)


def concealer():
    """The tutorial's veil: every column the same, dark at the screen's edge (v 0) and clear
    near the hint's centre (v 1)."""
    image = Image.new("RGBA", (64, 64), (0, 0, 0, 0))
    for y in range(64):
        v = y / 63.0
        alpha = 170 if v < 0.55 else int(170 * max(0.0, (0.92 - v) / 0.37))
        for x in range(64):
            image.putpixel((x, y), (10, 15, 40, alpha))
    return image


def player_font():
    """The pause sign's font for the player's name: the application's text font with a glyph
    record for the space too, since the sign asks the font for every character of the name and
    the greeting, spaces included, before it draws them with it rather than the system font."""
    rasterised = font.rasterise(28, bold=True, fill="white", stroke="ink", stroke_width=2)
    data = rasterised.data
    head_length = struct.unpack_from("<I", data, 16)[0]
    header = struct.unpack_from("<11f", data, 20 + 4)
    glyph_chunk = 20 + head_length + 8
    count = struct.unpack_from("<I", data, glyph_chunk)[0]
    glyphs = [struct.unpack_from("<I10f", data, glyph_chunk + 8 + 44 * i) for i in range(count)]
    space = (ord(" "), 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, header[7])
    glyphs = sorted(glyphs + [space])
    return font.Rasterised(rasterised.sheet, font.font_file(header, glyphs), rasterised.missing)


def generate_1280(out, tools):
    atlas.pack([atlas.Picture(n, make()) for n, make in STAGE_PICTURES]).save(
        os.path.join(out, "stage.png"), os.path.join(out, "stage_atlas.xml"))
    atlas.pack([atlas.Picture(n, make()) for n, make in TIP_PICTURES]).save(
        os.path.join(out, "tips.png"), os.path.join(out, "tips_atlas.xml"))
    level_start_board().save(os.path.join(out, "levelstart.png"), optimize=False)
    concealer().save(os.path.join(out, "concealer.png"), optimize=False)
    player_font().save(os.path.join(out, "font_player.png"), os.path.join(out, "font_player.font"))


# ---------------------------------------------------------------------------------------------
# Graphs


def pic(name, node_id=None, **attributes):
    """A picture of the stage atlas."""
    extra = "".join(f' {k}="{v}"' for k, v in attributes.items())
    own = f' id="{node_id}"' if node_id else ""
    return f'<DisplayPlaneSequence{own} atlasResourceId="game:atlas_stage" index="{STAGE_INDEX[name]}"{extra}/>'


def text(node_id, font=SIGN_FONT, scale=1.0, characters=16, align="CENTER", valign="CENTER", box=None,
         **attributes):
    """A display text; box is the alignment of its text box on the node when it differs from
    the text's alignment inside the box. A vertically centred text is placed so that its letters
    centre on the node: the text box starts at the first line's base line, so the letters would
    otherwise stand half a line and the ascent's excess over the descent above it."""
    if valign == "CENTER":
        line = font[3] + float(attributes.get("leading", 0.0))
        lift = (line / 2 + (font[4] - font[5]) / 2) * scale
        attributes["posY"] = f'{float(attributes.get("posY", 0.0)) - lift:g}'
    extra = "".join(f' {k}="{escape(str(v))}"' for k, v in attributes.items())
    return (f'<DisplayText id="{node_id}" fontResourceId="{font[0]}" scaleFactor="{scale:g}" '
            f'reservedCharacters="{characters}" horizontalTextAlignment="{align}" '
            f'horizontalContainerAlignment="{box or align}" verticalTextAlignment="{valign}" '
            f'verticalContainerAlignment="{valign}"{extra}/>')


def font_slot(font):
    return f'<TextureSlot textureId="{font[1]}" slot="0"/>'


ATLAS_SLOT = '<TextureSlot textureId="/stage_game/atlas_texture" slot="0"/>'


def btn(node_id, picture, x, y, w, h, shape="RECTANGLE", z=None):
    pos_z = f' posZ="{z}"' if z is not None else ""
    inner = pic(picture) if picture else ""
    return (f'<Button id="{node_id}" posX="{x}" posY="{y}"{pos_z} sizeX="{w}" sizeY="{h}" shape="{shape}" '
            f'mouseButton="LEFT">{inner}</Button>')


def caption_row(label, value_id, y, characters=16, label_x=-300, value_x=300, scale=0.8):
    return (f'<Transform posX="{label_x}" posY="{y}">{pic(label)}</Transform>'
            f'{font_slot(SIGN_FONT)}<Transform posX="{value_x}" posY="{y}">'
            f'{text(value_id, scale=scale, characters=characters, align="RIGHT", useSameDigitWidth="yes")}'
            f'</Transform>{ATLAS_SLOT}')


def sign_graph():
    """The end and pause signs, one board with four faces in the order the code selects them."""
    # A switch has no place of its own: each star stands in a transform.
    stars = "".join(
        f'<Transform posX="{(k - 1) * 120}" posY="{150 if k == 1 else 130}">'
        f'<Switch id="star{k + 1}" index="0">{pic("star_empty")}{pic("star_full")}</Switch></Transform>'
        for k in range(3))
    finished = (
        '<Namespace id="mm_sign_finished">'
        # Behind the buttons (further away): a click on the board skips the celebration.
        + btn("button_cancel_win_celebration", None, 0, 0, 780, 560, z=-0.5)
        + f'<Transform posY="225">{pic("title_finished")}</Transform>'
        + stars
        + caption_row("word_score", "base_score", 55)
        + caption_row("word_time_bonus", "time_bonus", 5)
        + caption_row("word_total", "total_score", -50, scale=1.0)
        + font_slot(TEXT_FONT)
        + f'<Transform posY="-110">{text("best_score", TEXT_FONT, 1.0, 40)}</Transform>'
        + ATLAS_SLOT
        + btn("button_back", "button_map", -240, -205, 220, 80)
        + btn("button_replay", "button_replay", 0, -205, 220, 80)
        + btn("button_next", "button_next", 240, -205, 220, 80)
        + '</Namespace>')
    failed = (
        '<Namespace id="mm_sign_failed">'
        + f'<Transform posY="215">{pic("title_failed")}</Transform>'
        + f'<Transform posY="40">{pic("skull")}</Transform>'
        + btn("button_back", "button_map", -150, -200, 220, 80)
        + btn("button_replay", "button_replay", 150, -200, 220, 80)
        + '</Namespace>')
    pause = (
        '<Namespace id="mm_sign_pause">'
        # Any click off the board's buttons resumes as well.
        + btn("button_resume_everywhere", None, 0, 0, 4000, 4000, z=-0.5)
        + f'<Transform posY="220">{pic("title_pause")}</Transform>'
        + '<Namespace id="systemfont" activeAndVisible="no">'
          '<Parameters id="parameters" diffuseColor="0.4,0.16,0.08,1" ambientColor="1,1,1,1"/>'
          '<ParametersSlot parametersId="parameters" slot="0"/>'
          '<TextureSlot textureId="/systemfont_textures/tex_sign_long" slot="0"/>'
          '<DisplayPlane id="plane" posY="140" scaleFactorX="512" scaleFactorY="64"/>'
          '<ParametersSlot parametersId="/stage_game/plain" slot="0"/>'
          '</Namespace>'
        + font_slot(PLAYER_FONT)
        + f'<Transform posY="140">{text("player", PLAYER_FONT, 1.0, 48)}</Transform>'
        + ATLAS_SLOT
        + btn("button_resume", "button_resume", 0, 30, 320, 96)
        + btn("button_restart", "button_restart", -150, -100, 220, 80)
        + btn("button_back", "button_map", 150, -100, 220, 80)
        + f'<Button id="button_audio" posY="-205" sizeX="80" sizeY="80" shape="ELLIPSE" mouseButton="LEFT">'
          f'<Switch id="mm_music_switch" index="1">{pic("sound_off")}{pic("sound_on")}</Switch></Button>'
        + '</Namespace>')
    zen = (
        '<Namespace id="mm_sign_zen">'
        + f'<Transform posY="215">{pic("title_zen")}</Transform>'
        + caption_row("word_score", "score", 100, scale=1.0)
        + caption_row("word_rings", "rings", 30, scale=1.0)
        + caption_row("word_time", "time", -40, scale=1.0)
        + btn("button_back", "button_map", -150, -200, 220, 80)
        + btn("button_replay", "button_replay", 150, -200, 220, 80)
        + '</Namespace>')
    return (
        '<Namespace id="sign" activeAndVisible="no">'
        '<Transform id="sign_depth" depthOrder="880000">'
        '<Timeline id="mm_sign_timeline" startTime="21.15" endTime="21.15" timeScale="3">'
        '<Transform id="mm_sign" posY="380">'
        '<Transform id="sign_slide" animationResourceId="game_common:anim_game_sign">'
        f'<Transform id="board_place" posY="{BOARD_Y}">'
        + ATLAS_SLOT + pic("board", "board")
        + '<Transform id="faces" depthOrder="100">'
        + f'<Switch id="mm_sign_switch" index="0">{finished}{failed}{pause}{zen}</Switch>'
        + '</Transform></Transform></Transform></Transform></Timeline></Transform></Namespace>')


def level_start_graph():
    leading = DESCRIPTION_LINE / DESCRIPTION_SCALE - SIGN_FONT[3]
    return (
        '<Namespace id="levelstart" activeAndVisible="no">'
        '<Transform id="levelstart_depth" depthOrder="880000">'
        '<Timeline id="timeline" startTime="0" endTime="1">'
        '<Transform id="levelstart_slide" animationResourceId="game_common:anim_game_levelstart">'
        # The whole screen starts the stage; further away than nothing else, it takes any click.
        + btn("button_tap", None, 0, 0, 4000, 4000, z=-0.5)
        + '<Transform id="position">'
          '<TextureSlot textureId="/stage_game/levelstart_texture" slot="0"/>'
          f'<DisplayPlane id="background" scaleFactorX="{LEVEL_START_WIDTH}" scaleFactorY="272"/>'
          '<Transform id="texts_depth" depthOrder="20">'
          '<Transform id="textposition">'
        + font_slot(SIGN_FONT)
        + '<Parameters id="stage_colour" diffuseColor="1,0.85,0.1,1" ambientColor="1,1,1,1"/>'
          '<ParametersSlot parametersId="stage_colour" slot="0"/>'
        + f'<Transform posY="88">{text("stage", SIGN_FONT, 0.6, 24)}</Transform>'
        + '<ParametersSlot parametersId="/stage_game/plain" slot="0"/>'
        + f'<Transform posY="40"><Scale id="levelname_scale">{text("levelname", SIGN_FONT, 0.8, 40)}</Scale>'
          '</Transform>'
        # Centred: the code grows the sign around it, so the margins change little with the
        # number of lines.
        + text("description", SIGN_FONT, DESCRIPTION_SCALE, 200, leading=f"{leading:.3f}", posY="-75")
        + '</Transform>'
          '<Transform id="imageposition" posX="-325" depthOrder="20">'
          '<Switch id="atlas_select" index="0"><Node id="no_tip"/>'
          '<Namespace id="tips1"><TextureSlot textureId="/stage_game/tips_texture" slot="0"/>'
          '<DisplayPlaneSequence id="atlas" atlasResourceId="game:atlas_tips" index="0"/></Namespace>'
          '</Switch></Transform>'
          '</Transform></Transform>'
        + ATLAS_SLOT
        + '<Transform id="tap_to_start" posY="-150" depthOrder="30">'
          '<Timeline id="tap_to_start_timeline" startTime="0" endTime="1.2">'
          '<Scale id="tap_pulse" animationResourceId="game_common:anim_game_pulse">'
        + pic("tap_to_start")
        + '</Scale></Timeline></Transform>'
          '</Transform></Timeline></Transform></Namespace>')


def score_bar_texts():
    """The six texts the score processor looks up by name in the selected bar."""
    return (
        font_slot(SIGN_FONT)
        + text("word_pause", SIGN_FONT, 0.55, 8, align="RIGHT", box="LEFT", containerWidth="150", text="PAUSE",
               posX="-630", posY="-4")
        + text("word_rings", SIGN_FONT, 0.55, 20, align="RIGHT", posX="-190", posY="-4")
        + text("value_rings", SIGN_FONT, 0.7, 6, align="LEFT", useSameDigitWidth="yes", posX="-175", posY="-4")
        + text("word_stage", SIGN_FONT, 0.7, 24, posX="90", posY="-4")
        + text("word_score", SIGN_FONT, 0.55, 8, align="LEFT", box="RIGHT", containerWidth="330", text="SCORE",
               posX="630", posY="-4")
        + text("value_score", SIGN_FONT, 0.7, 14, align="RIGHT", useSameDigitWidth="yes", posX="630", posY="-4")
        + ATLAS_SLOT)


def score_bar_graph():
    # The word "PAUSE" sits right of the pause button: its text box starts at the bar's left
    # edge and the text is aligned to the box's right.
    normal = (
        '<Namespace id="normal">'
        + ATLAS_SLOT
        + f'<Transform posY="-4">{pic("bar_strip", scaleFactorX="5")}</Transform>'
        + '<Transform depthOrder="10">'
        + btn("pause_button", "pause_button", -610, -4, 56, 56, "ELLIPSE")
        + score_bar_texts()
        + '</Transform></Namespace>')
    bands = "".join(pic(f"band_{n}", scaleFactorX="5") for n in ("autumn", "beach", "grass", "ice"))
    bar = (
        '<Namespace id="bar">'
        + ATLAS_SLOT
        + f'<Switch id="ipadscorebar" index="0">{bands}</Switch>'
        + '<Transform depthOrder="10">'
        + btn("pause_button", "pause_button", -610, -4, 56, 56, "ELLIPSE")
        + score_bar_texts()
        + font_slot(SIGN_FONT)
        + f'<Transform posY="30"><Scale id="levelname_scale">{text("levelname", SIGN_FONT, 0.55, 40)}'
          '</Scale></Transform>'
        + ATLAS_SLOT
        + '</Transform></Namespace>')
    return (
        '<Namespace id="scorebar">'
        '<Transform id="position" posY="376" depthOrder="850000">'
        f'<Switch id="select" index="0">{normal}{bar}</Switch>'
        '</Transform></Namespace>')


def ramp_graph():
    return (
        '<Namespace id="ramp">'
        + ATLAS_SLOT
        + '<Transform id="shadow_rotation" depthOrder="19500">'
          f'<Transform id="shadow_offset" posX="-6" posY="-8">{pic("tube_shadow")}</Transform></Transform>'
          '<Transform id="transform" depthOrder="20000">'
          '<Transform id="rotation">'
          '<Transform id="ramp_shadow">'
          '<Timeline id="timeline" startTime="0" endTime="0.25">'
          '<Scale id="inner_transform_scale" animationResourceId="game_common:anim_game_kick">'
          f'<Transform id="inner_transform" posX="-20">{pic("tube")}</Transform>'
          '</Scale></Timeline></Transform></Transform></Transform></Namespace>')


def tutorial_graph():
    return (
        '<Namespace id="tutorial" activeAndVisible="no">'
        '<Transform id="tutorial_depth" depthOrder="695000">'
        '<Transform id="position">'
        '<Timeline id="timeline" startTime="0" endTime="1">'
        '<Transform id="tutorialarrow" posX="-80">'
        '<Transform id="arrow_bob" animationResourceId="game_common:anim_game_arrow">'
        + ATLAS_SLOT + pic("tutorial_arrow")
        + '</Transform></Transform></Timeline>'
        + font_slot(TEXT_FONT)
        + text("tutorialtext", TEXT_FONT, 1.0, 64, align="RIGHT", posX="-150", posY="0")
        + ATLAS_SLOT
        + '</Transform></Transform></Namespace>')


def concealer_graph():
    return (
        '<Namespace id="tutorial_concealer" activeAndVisible="no">'
        '<TextureSlot textureId="/stage_game/concealer_texture" slot="0"/>'
        '<Timeline id="timeline" startTime="0.5" endTime="1">'
        '<Parameters id="veil" diffuseColor="1,1,1,0" ambientColor="1,1,1,1" '
        'animationResourceId="game_common:anim_game_veil"/>'
        '<ParametersSlot parametersId="veil" slot="0"/>'
        # Two vertices a corner and no more: the strip draws every vertex the buffer holds, and
        # zeroed ones past the corners would join a dark sliver to the origin.
        '<DisplayObject id="display_object" maxNumberOfIndices="10" maxNumberOfVertices="10" '
        'hasTexCoords0="yes" dynamicVertices="yes" primitiveType="TRIANGLE_STRIP"/>'
        '<ParametersSlot parametersId="/stage_game/plain" slot="0"/>'
        '</Timeline>'
        + ATLAS_SLOT
        + '</Namespace>')


def airstrike_graph():
    return (
        '<Namespace id="airstrike">'
        '<Transform id="airstrike_depth" depthOrder="650000">'
        '<Parameters id="parameters" diffuseColor="1,1,1,1" ambientColor="1,1,1,1"/>'
        '<ParametersSlot parametersId="parameters" slot="0"/>'
        + btn("button_airstrike", "airstrike", 560, -320, 100, 100, "ELLIPSE")
        + '<ParametersSlot parametersId="/stage_game/plain" slot="0"/>'
        + font_slot(SIGN_FONT)
        + text("weapons_left", SIGN_FONT, 0.6, 4, posX="600", posY="-280", depthOrder="10",
                    useSameDigitWidth="yes")
        + ATLAS_SLOT
        + '</Transform></Namespace>')


def course_signs_graph():
    return (
        '<Namespace id="hurryup" activeAndVisible="no">'
        '<Transform id="hurryup_depth" posY="150" depthOrder="860000">'
        '<Timeline id="timeline" startTime="0" endTime="2">'
        '<Scale id="hurryup_scale" animationResourceId="game_common:anim_game_popsign">'
        + ATLAS_SLOT + pic("hurryup")
        + '</Scale></Timeline></Transform></Namespace>'
        '<Namespace id="skull" activeAndVisible="no">'
        '<Transform id="position" depthOrder="860000">'
        '<Timeline id="timeline" startTime="0" endTime="2.5">'
        '<Transform id="skull_rise" animationResourceId="game_common:anim_game_skull">'
        + ATLAS_SLOT + pic("skull")
        + '</Transform></Timeline></Transform></Namespace>')


def pool(container, resource, copies, declared):
    # The pools' generator may also name its templates "graph_pool_<name>".
    for candidate in (resource, resource.replace("graph_", "graph_pool_", 1)):
        if candidate in declared:
            return (f'<Instance id="{container}" graphResourceId="game_common:{candidate}" '
                    f'replications="{copies}"/>')
    return f'<Node id="{container}"/>'


def stage_graph(declared):
    pools = "".join(pool(c, r, n, declared) for c, r, n in POOLS)
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        '<!-- Generated by tools/content/game_stage.py. -->\n'
        '<Graph>'
        '<Namespace id="stage_game">'
        '<Timeline id="screen_timeline" startTime="0" endTime="0.5"/>'
        '<Timeline id="playfield_timeline" startTime="0" endTime="0.25"/>'
        # Made active by the code for the frame after a view change; what it shows lies in
        # "/framebuffer", drawn every frame.
        '<Node id="framebuffer"/>'
        '<FixedProgram id="program" textureUnit0Enabled="yes" lightingEnabled="no"/>'
        '<Material id="material" programId="program" depthBufferMode="NONE" blendMode="ALPHA"/>'
        '<MaterialSlot id="material_slot" materialId="material" slot="0"/>'
        '<Parameters id="plain" diffuseColor="1,1,1,1" ambientColor="1,1,1,1"/>'
        '<ParametersSlot id="plain_slot" parametersId="plain" slot="0"/>'
        '<FlatTexture id="atlas_texture" bitmapResourceId="game:img_stage" horizontalWrapMode="CLAMP_TO_EDGE" '
        'verticalWrapMode="CLAMP_TO_EDGE"/>'
        '<FlatTexture id="tips_texture" bitmapResourceId="game:img_tips" horizontalWrapMode="CLAMP_TO_EDGE" '
        'verticalWrapMode="CLAMP_TO_EDGE"/>'
        '<FlatTexture id="levelstart_texture" bitmapResourceId="game:img_levelstart" '
        'horizontalWrapMode="CLAMP_TO_EDGE" verticalWrapMode="CLAMP_TO_EDGE"/>'
        '<FlatTexture id="concealer_texture" bitmapResourceId="game:img_concealer" '
        'horizontalWrapMode="CLAMP_TO_EDGE" verticalWrapMode="CLAMP_TO_EDGE"/>'
        '<FlatTexture id="player_font_texture" bitmapResourceId="game:img_font_player"/>'
        '<Switch id="bg_switch" index="0"><Node id="campaign_background"/><Node id="zen_background"/></Switch>'
        '<Transform id="playfield">'
        + ATLAS_SLOT
        + pools
        + ramp_graph()
        + tutorial_graph()
        + concealer_graph()
        + airstrike_graph()
        + '</Transform>'
        + course_signs_graph()
        + score_bar_graph()
        + level_start_graph()
        + sign_graph()
        + '</Namespace></Graph>\n')


def framebuffer_graph(declared):
    rocks = pool(*ROCKS, declared)
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        '<!-- Generated by tools/content/game_stage.py. The backgrounds hang their namespace here. -->\n'
        '<Graph>'
        '<Namespace id="framebuffer">'
        '<MaterialSlot materialId="/stage_game/material" slot="0"/>'
        '<ParametersSlot parametersId="/stage_game/plain" slot="0"/>'
        + rocks
        + '<Namespace id="ramp_base">'
          '<TextureSlot textureId="/stage_game/atlas_texture" slot="0"/>'
          f'<Transform id="transform_base" depthOrder="6000">{pic("base")}</Transform>'
          '</Namespace>'
          '</Namespace></Graph>\n')


# name: (start, end, keys); keys are (time, element, interpolation) with element the XML of the key
ANIMATIONS = {
    # The end signs: wait above the screen, drop in 10-11 with a bounce, rest, fly away 20-21.
    "anim_game_sign": (0, 22, [
        (0, 'PositionKey posY="900"', "CONSTANT"), (10, 'PositionKey posY="900"', "EASE_IN"),
        (10.6, 'PositionKey posY="-24"', "EASE_OUT"), (10.8, 'PositionKey posY="10"', "EASE_IN_OUT"),
        (11, 'PositionKey posY="0"', "LINEAR"), (20, 'PositionKey posY="0"', "EASE_IN"),
        (21, 'PositionKey posY="900"', "CONSTANT")]),
    "anim_game_levelstart": (0, 1.5, [
        (0, 'PositionKey posY="900"', "EASE_OUT"), (0.6, 'PositionKey posY="-20"', "EASE_IN_OUT"),
        (0.8, 'PositionKey posY="8"', "EASE_IN_OUT"), (1.0, 'PositionKey posY="0"', "EASE_IN"),
        (1.5, 'PositionKey posY="900"', "CONSTANT")]),
    "anim_game_pulse": (0, 1.2, [
        (0, 'ScalingKey scaleX="1" scaleY="1"', "EASE_IN_OUT"),
        (0.6, 'ScalingKey scaleX="1.08" scaleY="1.08"', "EASE_IN_OUT"),
        (1.2, 'ScalingKey scaleX="1" scaleY="1"', "CONSTANT")]),
    "anim_game_kick": (0, 0.25, [
        (0, 'ScalingKey scaleX="1" scaleY="1"', "LINEAR"), (0.1, 'ScalingKey scaleX="0.9" scaleY="1.12"', "LINEAR"),
        (0.25, 'ScalingKey scaleX="1" scaleY="1"', "CONSTANT")]),
    "anim_game_arrow": (0, 1, [
        (0, 'PositionKey posX="0"', "EASE_IN_OUT"), (0.5, 'PositionKey posX="-16"', "EASE_IN_OUT"),
        (1, 'PositionKey posX="0"', "CONSTANT")]),
    "anim_game_veil": (0, 1, [
        (0.5, 'DiffuseColorKey color="1,1,1,0"', "LINEAR"), (1, 'DiffuseColorKey color="1,1,1,1"', "CONSTANT")]),
    "anim_game_popsign": (0, 2, [
        (0, 'ScalingKey scaleX="0.1" scaleY="0.1"', "EASE_OUT"),
        (0.3, 'ScalingKey scaleX="1.1" scaleY="1.1"', "EASE_IN_OUT"),
        (0.45, 'ScalingKey scaleX="1" scaleY="1"', "LINEAR"), (1.7, 'ScalingKey scaleX="1" scaleY="1"', "EASE_IN"),
        (2, 'ScalingKey scaleX="0.01" scaleY="0.01"', "CONSTANT")]),
    "anim_game_skull": (0, 2.5, [
        (0, 'PositionKey posY="0"', "EASE_OUT"), (0.4, 'PositionKey posY="60"', "LINEAR"),
        (2.0, 'PositionKey posY="90"', "EASE_IN"), (2.5, 'PositionKey posY="900"', "CONSTANT")]),
}


def animation_xml(start, end, keys):
    lines = [f'<Animation startTime="{start:g}" endTime="{end:g}">']
    for time, element, interpolation in keys:
        name, _, attributes = element.partition(" ")
        lines.append(f'  <{name} time="{time:g}" {attributes} interpolation="{interpolation}"/>')
    lines.append("</Animation>")
    return '<?xml version="1.0" encoding="UTF-8"?>\n' + "\n".join(lines) + "\n"


def declared_resources(package_path):
    """Resource ids the package description declares (the pools' block included)."""
    with open(package_path, encoding="utf-8") as description:
        return set(re.findall(r'<Resource\s+id="([^"]+)"', description.read()))


def generate_common(out, tools):
    declared = declared_resources(os.path.join(out, "package.xml"))
    with open(os.path.join(out, "stage.xml"), "w", encoding="utf-8") as graph:
        graph.write(stage_graph(declared))
    with open(os.path.join(out, "framebuffer.xml"), "w", encoding="utf-8") as graph:
        graph.write(framebuffer_graph(declared))
    for name, (start, end, keys) in ANIMATIONS.items():
        with open(os.path.join(out, name + ".xml"), "w", encoding="utf-8") as animation:
            animation.write(animation_xml(start, end, keys))
