"""The loader package: the studio splash, the title picture and the busy ring."""

import math
import os


def generate(out, source, tools):
    draw, atlas = tools.draw, tools.atlas
    from PIL import Image, ImageDraw
    splash = draw.gradient(1024, 512, "night", (10, 18, 40))
    splash = draw.centre_on(splash, draw.label("KORVANE", 96, fill="yellow", stroke="ink", stroke_width=5), dy=-30)
    splash = draw.centre_on(splash, draw.label("GAMES", 40, fill="sky", stroke=None), dy=60)
    splash.save(os.path.join(out, "splash.png"), optimize=False)

    title = draw.gradient(1024, 512, "sky", "blue")
    title = draw.centre_on(title, draw.panel(900, 300, "orange", radius=60, outline="white", outline_width=10))
    title = draw.centre_on(title, draw.label("PLOVENDRA", 120, fill="white", stroke="ink", stroke_width=6), dy=-10)
    title.convert("RGB").save(os.path.join(out, "title.jpg"), quality=90)

    ring = Image.new("RGBA", (96, 96), (0, 0, 0, 0))
    d = ImageDraw.Draw(ring)
    for k in range(12):
        a = k * math.pi / 6
        x, y = 48 + 34 * math.cos(a), 48 + 34 * math.sin(a)
        alpha = 60 + 16 * k
        d.ellipse((x - 7, y - 7, x + 7, y + 7), fill=(255, 214, 10, alpha))
    atlas.pack([atlas.Picture("ring", ring)]).save(os.path.join(out, "loader.png"),
                                                   os.path.join(out, "atlas_loader.xml"))
