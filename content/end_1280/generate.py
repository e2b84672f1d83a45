"""Draws the end package's pictures: the background, the atlas of the two pages and the sign
font (tools/content/menus_pictures.py)."""

import os

import menus_pictures


def generate(out, source, tools):
    menus_pictures.end_background().save(os.path.join(out, "end_background.png"), optimize=False)
    menus_pictures.pack(menus_pictures.END_PICTURES).save(os.path.join(out, "end.png"),
                                                          os.path.join(out, "end_atlas.xml"))
    menus_pictures.sign_font().save(os.path.join(out, "font_end.png"), os.path.join(out, "font_end.font"))
